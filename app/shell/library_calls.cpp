#include "shell/library_calls.h"

#include "qrcodewin32.h"
#include "shell/library_loader.h"

// The export's address, typed by its declaration in the library's header (decltype only: the
// program must not refer to the library's symbols at link time), looked up once per export.
#define QR_RESOLVED(name) \
    static const auto function = reinterpret_cast<decltype(&::name)>(ResolveLibraryExport(#name))

namespace Library {

void QRSetSize(std::int32_t width, std::int32_t height) {
    QR_RESOLVED(QRSetSize);
    function(width, height);
}

void QRSetMessage(const char* text) {
    QR_RESOLVED(QRSetMessage);
    function(text);
}

void QRConfigure(std::int16_t version, std::int16_t level, std::int16_t mask) {
    QR_RESOLVED(QRConfigure);
    function(version, level, mask);
}

void QRAppearance(double moduleSizeCm, std::int16_t rotation, std::int16_t frameStyle) {
    QR_RESOLVED(QRAppearance);
    function(moduleSizeCm, rotation, frameStyle);
}

void QRSetBackColor(std::int16_t red, std::int16_t green, std::int16_t blue) {
    QR_RESOLVED(QRSetBackColor);
    function(red, green, blue);
}

void QRSetBarColor(std::int16_t red, std::int16_t green, std::int16_t blue) {
    QR_RESOLVED(QRSetBarColor);
    function(red, green, blue);
}

std::int16_t QRSaveAsBMP(const char* path) {
    QR_RESOLVED(QRSaveAsBMP);
    return function(path);
}

std::int16_t QRGetActualRC() {
    QR_RESOLVED(QRGetActualRC);
    std::int16_t rows = 0;
    std::int16_t columns = 0;
    function(&rows, &columns);
    return rows;
}

std::int32_t QRGetActualScreenSize() {
    QR_RESOLVED(QRGetActualSize);
    constexpr std::int16_t kUseScreen = -1;
    std::int32_t width = 0;
    std::int32_t height = 0;
    function(kUseScreen, nullptr, &width, &height);
    return width;
}

}  // namespace Library
