// The library's one process-wide settings record and the results of the last encoding.
#pragma once

#include <cstdint>
#include <optional>

#include "encode_symbol.h"
#include "qrcodewin32.h"

namespace qrlib {

inline constexpr size_t kMessageCapacity = 8000;  // bytes, terminator included

struct QRSettings {
    int32_t width;
    int32_t height;
    char message[kMessageCapacity];
    int16_t requestedVersion;
    int16_t ecLevel;
    int16_t maskSetting;
    int16_t maskInUse;
    float moduleSizeCm;
    int16_t rotation;
    int16_t frameStyle;
    uint32_t backColor;
    uint32_t barColor;
    int32_t backDepth;
    int32_t barDepth;
    // Results of the last encoding and drawing that later calls read.
    int16_t versionInUse;
    int32_t symbolSide;
    int32_t modulePixels;
};

// Zero-filled when the library is loaded.
QRSettings& Settings();

// Module side in pixels at a resolution: truncated, raised by one above a fraction of 0.5.
int32_t ModulePixelsFor(int dpi, float moduleSizeCm);

// Updates modulePixels from a resolution unless the module size is zero.
void UpdateModulePixels(int dpi);

// Encodes the current message with the current symbol settings and records the version, side
// and mask in use; nothing on failure (versionInUse and symbolSide become 0).
std::optional<qr::EncodedSymbol> EncodeCurrent();

}  // namespace qrlib
