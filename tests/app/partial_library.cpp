// The setters and queries of the QR library but no output: a library that loads, answers the first
// calls and lacks QRSaveAsBMP.
#include <cstdint>

#define PARTIAL_EXPORT extern "C" __attribute__((visibility("default")))

PARTIAL_EXPORT void QRSetSize(std::int32_t, std::int32_t) {}
PARTIAL_EXPORT void QRSetMessage(const char*) {}
PARTIAL_EXPORT void QRConfigure(std::int16_t, std::int16_t, std::int16_t) {}
PARTIAL_EXPORT void QRAppearance(double, std::int16_t, std::int16_t) {}
PARTIAL_EXPORT void QRSetBackColor(std::int16_t, std::int16_t, std::int16_t) {}
PARTIAL_EXPORT void QRSetBarColor(std::int16_t, std::int16_t, std::int16_t) {}
// Every text is a version-1 symbol of 8-pixel modules, which fits the default image.
PARTIAL_EXPORT void QRGetActualRC(std::int16_t* rows, std::int16_t* columns) {
    *rows = *columns = 21;
}
PARTIAL_EXPORT void QRGetActualSize(std::int16_t, void*, std::int32_t* width,
                                    std::int32_t* height) {
    *width = *height = 168;
}
