// Device contexts of the platform layer: a canvas behind an opaque handle, and the screen.
#pragma once

#include <memory>

#include "canvas.h"
#include "qrcodewin32.h"

struct QRDeviceContext {
    explicit QRDeviceContext(std::unique_ptr<qrplat::Canvas> c) : canvas(std::move(c)) {}
    std::unique_ptr<qrplat::Canvas> canvas;
    int mapMode = 1;  // MM_TEXT
};

namespace qrplat {

inline constexpr int kLogPixelsX = 88;
inline constexpr int kLogPixelsY = 90;

// The resolution a device context answers; 0 for no context.
int GetDeviceCaps(HDC dc, int capability);

// The screen's device context: it measures 96 dots per inch and shows nothing.
HDC GetScreenDC();
void ReleaseScreenDC(HDC dc);

}  // namespace qrplat
