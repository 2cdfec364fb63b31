// Device contexts of the platform layer. Elsewhere than on Windows a device context is a canvas
// behind the opaque HDC handle; on Windows HDC is GDI's own and these functions call GDI.
#pragma once

#include <memory>

#include "canvas.h"
#include "qrcodewin32.h"

#if !defined(_WIN32)
struct QRDeviceContext {
    explicit QRDeviceContext(std::unique_ptr<qrplat::Canvas> c) : canvas(std::move(c)) {}
    std::unique_ptr<qrplat::Canvas> canvas;
    int mapMode = 1;  // MM_TEXT
};
#endif

namespace qrplat {

inline constexpr int kLogPixelsX = 88;
inline constexpr int kLogPixelsY = 90;
inline constexpr int kMapModeText = 1;

// The resolution a device context answers; 0 for no context.
int GetDeviceCaps(HDC dc, int capability);

// The screen's device context: 96 dots per inch here; GDI's screen on Windows.
HDC GetScreenDC();
void ReleaseScreenDC(HDC dc);

// Sets the map mode and answers the previous one.
int SetMapMode(HDC dc, int mode);

// A canvas that draws on the device context (which keeps ownership of its surface).
std::unique_ptr<Canvas> CanvasFor(HDC dc);

}  // namespace qrplat
