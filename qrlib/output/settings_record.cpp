#include "settings_record.h"

#include <cstring>

namespace qrlib {

QRSettings& Settings() {
    static QRSettings settings{};
    return settings;
}

int32_t ModulePixelsFor(int dpi, float moduleSizeCm) {
    const double p =
        static_cast<double>(dpi) * static_cast<double>(moduleSizeCm) * 0.39370078740157477;
    if (!(p < 2147483647.0) || !(p > -2147483648.0)) return 0;  // not a usable size
    auto pixels = static_cast<int32_t>(p);
    if (p - pixels > 0.5) ++pixels;
    return pixels;
}

void UpdateModulePixels(int dpi) {
    QRSettings& s = Settings();
    if (s.moduleSizeCm != 0.0F) s.modulePixels = ModulePixelsFor(dpi, s.moduleSizeCm);
}

std::optional<qr::EncodedSymbol> EncodeCurrent() {
    QRSettings& s = Settings();
    const size_t length = strnlen(s.message, kMessageCapacity);
    const qr::SymbolParams params{s.requestedVersion, s.ecLevel, s.maskSetting};
    auto symbol = qr::EncodeSymbol({reinterpret_cast<const uint8_t*>(s.message), length}, params);
    if (!symbol) {
        s.versionInUse = 0;
        s.symbolSide = 0;
        return symbol;
    }
    s.versionInUse = static_cast<int16_t>(symbol->version);
    s.symbolSide = symbol->matrix.side;
    s.maskInUse = static_cast<int16_t>(symbol->mask);
    return symbol;
}

}  // namespace qrlib
