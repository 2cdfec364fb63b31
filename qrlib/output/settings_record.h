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
//
// A client typically asks for the same symbol several times in a row (the queries, then a
// save), so the last encoding is kept, keyed by every input of the encoder: the message bytes,
// the requested version, the level and the mask setting. The encoder is pure, so equal inputs
// give the same symbol. The reference stays valid until the next call.
const std::optional<qr::EncodedSymbol>& EncodeCurrent();

// Drops the kept encoding. Every setter calls it: the library keeps process-wide state and is
// not reentrant, and nothing a caller changes may be answered from an older symbol.
void ForgetLastEncoding();

}  // namespace qrlib
