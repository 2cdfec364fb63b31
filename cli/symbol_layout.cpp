#include "symbol_layout.h"

#include <algorithm>
#include <span>

#include "settings_record.h"

namespace qrcli {

std::optional<LaidOutSymbol> LayOutLine(std::string_view line, const BatchOptions& options,
                                        std::string& reason) {
    const qr::SymbolParams params{options.requestedVersion, options.ecLevel, options.maskSetting};
    const std::span bytes(reinterpret_cast<const uint8_t*>(line.data()), line.size());
    auto symbol = qr::EncodeSymbol(bytes, params);
    if (!symbol) {
        reason = "the text (" + std::to_string(line.size()) +
                 " bytes) does not fit version 40 at level " + LevelName(options.ecLevel);
        return std::nullopt;
    }

    int modulePixels = 0;
    if (options.fit) {
        const int side = symbol->matrix.side + 2 * kQuietZoneModules;
        modulePixels = std::min(options.width, options.height) / side;
        if (modulePixels < 1) {
            reason = "version " + std::to_string(symbol->version) + " (" +
                     std::to_string(symbol->matrix.side) + " modules and a quiet zone of " +
                     std::to_string(kQuietZoneModules) + ") does not fit " +
                     std::to_string(options.width) + "x" + std::to_string(options.height) +
                     " at one pixel per module";
            return std::nullopt;
        }
    } else {
        // The library's module-size rule, from the field it keeps as a float.
        modulePixels = qrlib::ModulePixelsFor(options.dpi, static_cast<float>(options.moduleCm));
    }

    const qrlib::Appearance look{options.width,    options.height,     modulePixels,
                                 options.rotation, options.frameStyle, options.backColor,
                                 options.barColor};
    return LaidOutSymbol{std::move(*symbol), look};
}

}  // namespace qrcli
