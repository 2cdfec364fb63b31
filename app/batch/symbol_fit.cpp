#include "batch/symbol_fit.h"

#include "shell/library_calls.h"

namespace {

constexpr std::int16_t kStandardOrientation = 1;
constexpr std::int16_t kNoFrame = 0;

}  // namespace

SymbolFit FitSymbolToImage(std::int32_t width, std::int32_t height, ModuleSide& moduleSide) {
    moduleSide.Set(kModuleSideCm);  // a symbol before may have needed smaller modules
    const int modules = Library::QRGetActualRC();
    if (modules <= 0) return SymbolFit::DoesNotEncode;
    const std::int32_t pixels = Library::QRGetActualScreenSize();
    const ModuleFit fit = FitModuleSide(modules, pixels, width, height);
    // The library rounds the side in pixels from centimetres at the screen's resolution; a
    // proportional share of 0.2 cm rounds to exactly the fitted pixels, since they are fewer
    // than at 0.2 cm.
    if (fit.fit == SymbolFit::Smaller)
        moduleSide.Set(kModuleSideCm * fit.modulePixels / (pixels / modules));
    return fit.fit;
}

void ModuleSide::Set(double centimetres) {
    if (centimetres == sent_) return;
    Library::QRAppearance(centimetres, kStandardOrientation, kNoFrame);
    sent_ = centimetres;
}
