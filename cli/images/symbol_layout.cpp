#include "images/symbol_layout.h"

#include <algorithm>
#include <cmath>

#include "batch/fit_rule.h"
#include "common/number_text.h"
#include "images/line_symbols.h"
#include "options/option_values.h"

namespace qrcli {

namespace {

std::string Square(int64_t side) {
    return std::to_string(side) + "x" + std::to_string(side);
}

}  // namespace

std::optional<std::string> RasterSizeNote(const BatchOptions& options) {
    if (options.moduleMm <= 0 || IsVectorFormat(options.format) ||
        IsTerminalFormat(options.format) || options.appNames) {
        return std::nullopt;
    }
    const double printed = options.modulePixels * 25.4 / options.dpi;
    const double off = printed / options.moduleMm - 1;
    if (std::abs(off) <= 0.01) return std::nullopt;
    std::string text = "modules of " + std::to_string(options.modulePixels) + " whole pixels at " +
                       std::to_string(options.dpi) + " dpi print ";
    qrcommon::AppendNumber(text, printed, 3);
    text += " mm wide, ";
    qrcommon::AppendNumber(text, std::abs(off) * 100, 1);
    text += off > 0 ? " % more" : " % less";
    text += " than the ";
    qrcommon::AppendNumber(text, options.moduleMm, 3);
    text += " mm asked for; svg, eps and pdf keep the exact size";
    return text;
}

namespace {

std::optional<LaidOutSymbol> LayOut(qr::EncodedSymbol* symbol, const BatchOptions& options,
                                    std::string& reason) {
    const int n = symbol->matrix.side;
    const std::string symbolText = SymbolName(symbol->version, options.micro) + " (" +
                                   std::to_string(n) + " modules and a quiet zone of " +
                                   std::to_string(options.border) + ")";
    const int64_t whole = n + 2 * options.border;  // modules across, with the quiet zone
    const std::string imageText =
        std::to_string(options.width) + "x" + std::to_string(options.height);
    int width = options.width;
    int height = options.height;
    int module = options.modulePixels;

    if (module == 0) {
        module = static_cast<int>(std::min(width, height) / whole);
        if (module < 1) {
            reason = symbolText + " does not fit " + imageText + " at one pixel per module";
            return std::nullopt;
        }
    } else if (options.imageFollowsSymbol) {
        const int64_t side = whole * module;
        if (side > kMaxImageSide) {
            reason = symbolText + " at " + std::to_string(module) + " pixels per module needs " +
                     Square(side) + " pixels, more than the largest image, " +
                     Square(kMaxImageSide);
            return std::nullopt;
        }
        width = height = static_cast<int>(side);
    } else if (options.appNames) {
        // The window's own rule, so that the files agree byte for byte with its batch.
        const ModuleFit fit = FitModuleSide(n, n * module, width, height);
        if (fit.fit == SymbolFit::TooSmall) {
            reason = "version " + std::to_string(symbol->version) + " (" + std::to_string(n) +
                     " modules) does not fit the " + imageText +
                     " image even at one pixel per module, so the window writes no file";
            return std::nullopt;
        }
        module = fit.modulePixels;
    } else if (whole * module > width || whole * module > height) {
        reason = symbolText + " at " + std::to_string(module) + " pixels per module needs " +
                 Square(whole * module) + " pixels, more than the " + imageText + " image";
        return std::nullopt;
    }

    const qrlib::Appearance look{
        width,           height, module, options.rotation, options.frameStyle, options.backColor,
        options.barColor};
    return LaidOutSymbol{std::move(*symbol), look};
}

}  // namespace

std::optional<std::vector<LaidOutSymbol>> LayOutSymbols(std::string_view line,
                                                        const BatchOptions& options,
                                                        std::string& reason) {
    auto encoded = EncodeLine(line, options, reason);
    if (!encoded) return std::nullopt;
    std::vector<LaidOutSymbol> laid;
    size_t begin = 0;
    for (size_t i = 0; i < encoded->symbols.size(); ++i) {
        auto one = LayOut(&encoded->symbols[i], options, reason);
        if (!one) return std::nullopt;
        one->micro = options.micro;
        one->part = static_cast<int>(i);
        one->parts = static_cast<int>(encoded->symbols.size());
        one->textBegin = begin;
        one->textLength = encoded->ends[i] - begin;
        begin = encoded->ends[i];
        laid.push_back(std::move(*one));
    }
    return laid;
}

std::optional<LaidOutSymbol> LayOutLine(std::string_view line, const BatchOptions& options,
                                        std::string& reason) {
    auto laid = LayOutSymbols(line, options, reason);
    if (!laid) return std::nullopt;
    if (laid->size() != 1) {
        reason = "the text is split into " + std::to_string(laid->size()) + " symbols";
        return std::nullopt;
    }
    return std::move(laid->front());
}

}  // namespace qrcli
