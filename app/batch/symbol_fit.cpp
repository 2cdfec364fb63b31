#include "batch/symbol_fit.h"

#include <algorithm>

#include "shell/library_calls.h"

namespace {

constexpr std::int16_t kStandardOrientation = 1;
constexpr std::int16_t kNoFrame = 0;
constexpr int kQuietModules = 2;  // at least, on each side

void SetModuleSide(double centimetres) {
    Library::QRAppearance(centimetres, kStandardOrientation, kNoFrame);
}

}  // namespace

SymbolFit FitSymbolToImage(std::int32_t width, std::int32_t height) {
    SetModuleSide(kModuleSideCm);  // a symbol before may have needed smaller modules
    const int modules = Library::QRGetActualRC();
    if (modules <= 0) return SymbolFit::DoesNotEncode;
    const std::int32_t pixels = Library::QRGetActualScreenSize();
    // The library stands in 500 x 300 for a size of 0.
    const std::int32_t side = std::min(width == 0 ? 500 : width, height == 0 ? 300 : height);
    if (pixels <= side) return SymbolFit::AsSet;

    const int modulePixels = pixels / modules;
    int smaller = side / (modules + 2 * kQuietModules);
    if (smaller < 1 && modules <= side) smaller = 1;  // whole, with a narrower quiet zone
    if (smaller < 1) return SymbolFit::TooSmall;
    // The library rounds the side in pixels from centimetres at the screen's resolution; a
    // proportional share of 0.2 cm rounds to exactly `smaller` pixels, since smaller is less
    // than modulePixels.
    SetModuleSide(kModuleSideCm * smaller / modulePixels);
    return SymbolFit::Smaller;
}
