#pragma once

#include <QByteArray>
#include <QImage>
#include <functional>
#include <optional>
#include <string>

// What a reader sees in a BMP file written by the library.
struct BmpHeader {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
};
std::optional<BmpHeader> ReadBmpHeader(const QByteArray& file);

// The symbol in an image as zxing-cpp reads it, plus what the pixels say about its size and
// format information (8-pixel modules).
struct ReadSymbol {
    bool decoded = false;
    std::string bytes;     // the message bytes zxing-cpp decoded
    int sideModules = 0;   // from the dark area's width
    int level = -1;        // 0 = L, 1 = M, 2 = Q, 3 = H, from the format bits
    int maskPattern = -1;  // from the format bits
};
ReadSymbol ReadSymbolFromFile(const QByteArray& file, int modulePixels = 8);

// Runs action on the next application-modal dialog of type T as soon as it is shown.
template <typename T>
void WhenModalShown(std::function<void(T*)> action);

#include "symbol_reader_impl.h"
