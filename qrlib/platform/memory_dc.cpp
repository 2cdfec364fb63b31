// The public device-context and clipboard functions of the platform layer (not on Windows).
#if !defined(_WIN32)

#include <cstring>

#include "clipboard.h"
#include "device_context.h"
#include "qrdevice.h"
#include "raster_canvas.h"

namespace {

qrplat::RasterCanvas* RasterOf(HDC dc) {
    return dc == nullptr ? nullptr : dynamic_cast<qrplat::RasterCanvas*>(dc->canvas.get());
}

}  // namespace

extern "C" {

QR_EXPORT HDC QRCreateMemoryDC(int32_t width, int32_t height, int32_t dpiX, int32_t dpiY) {
    if (width > 65535 || height > 65535) return nullptr;
    if (int64_t{width} * height > (int64_t{1} << 28)) return nullptr;  // a gigabyte of pixels
    auto canvas = qrplat::RasterCanvas::Create(width, height, dpiX, dpiY);
    if (!canvas) return nullptr;
    return new (std::nothrow) QRDeviceContext(std::move(canvas));
}

QR_EXPORT void QRDeleteDC(HDC dc) {
    if (dc != qrplat::GetScreenDC()) delete dc;
}

QR_EXPORT uint32_t QRGetDCPixel(HDC dc, int32_t x, int32_t y) {
    const qrplat::RasterCanvas* raster = RasterOf(dc);
    return raster == nullptr ? 0xFFFFFFFF : raster->Pixel(x, y);
}

QR_EXPORT int32_t QRGetDCMapMode(HDC dc) {
    return dc == nullptr ? 0 : dc->mapMode;
}

QR_EXPORT void QRSetDCMapMode(HDC dc, int32_t mode) {
    if (dc != nullptr) dc->mapMode = mode;
}

QR_EXPORT int16_t QRHoldClipboard(void) {
    return qrplat::HoldClipboard() ? -1 : 0;
}

QR_EXPORT void QRReleaseClipboard(void) {
    qrplat::ReleaseClipboard();
}

QR_EXPORT int16_t QRGetClipboardMetafile(uint8_t* buffer, uint32_t* bufferSize) {
    const std::vector<uint8_t>& emf = qrplat::ClipboardMetafile();
    if (bufferSize == nullptr) return 0;
    const auto size = static_cast<uint32_t>(emf.size());
    if (emf.empty()) {
        *bufferSize = 0;
        return -1;
    }
    if (*bufferSize < size || buffer == nullptr) {
        *bufferSize = size;
        return 0;
    }
    std::memcpy(buffer, emf.data(), emf.size());
    return -1;
}

}  // extern "C"

#endif
