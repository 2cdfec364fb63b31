#include "settings_record.h"

#include <cstring>
#include <string>
#include <string_view>

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

namespace {

struct LastEncoding {
    bool kept = false;
    std::string message;
    qr::SymbolParams params;
    std::optional<qr::EncodedSymbol> symbol;

    bool IsFor(std::string_view text, const qr::SymbolParams& p) const {
        return kept && message == text && params.requestedVersion == p.requestedVersion &&
               params.ecLevel == p.ecLevel && params.maskSetting == p.maskSetting;
    }
};

LastEncoding& Last() {
    static LastEncoding last;
    return last;
}

}  // namespace

void ForgetLastEncoding() {
    LastEncoding& last = Last();
    last.kept = false;
    last.symbol.reset();
}

const std::optional<qr::EncodedSymbol>& EncodeCurrent() {
    QRSettings& s = Settings();
    const std::string_view text(s.message, strnlen(s.message, kMessageCapacity));
    const qr::SymbolParams params{s.requestedVersion, s.ecLevel, s.maskSetting};
    LastEncoding& last = Last();
    if (!last.IsFor(text, params)) {
        last.symbol =
            qr::EncodeSymbol({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, params);
        last.message.assign(text);
        last.params = params;
        last.kept = true;
    }
    const auto& symbol = last.symbol;
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
