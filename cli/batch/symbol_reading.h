// Reading a symbol back with zxing-cpp, a reader this project did not write.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "images/grey_image.h"

namespace qrcli {

// False in a build without the reader (the Windows one, where no zxing-cpp is built): there
// --verify is refused rather than every line reported unread.
bool CanReadSymbols();

// The raw bytes of the QR Code symbol in the image, or nothing when none is read.
std::optional<std::vector<uint8_t>> ReadQrBytes(const GreyImage& image);

// What the reader tells of one symbol: its bytes, whether an ECI designator was in it, and for
// a linked symbol its index (from 0), the number of symbols and the parity; -1 and empty
// otherwise.
struct SymbolRead {
    std::vector<uint8_t> bytes;
    bool hasEci = false;
    int sequenceIndex = -1;
    int sequenceSize = -1;
    std::string sequenceId;
};

// A QR Code symbol, or with micro a Micro QR symbol, read from the image.
std::optional<SymbolRead> ReadSymbol(const GreyImage& image, bool micro);

}  // namespace qrcli
