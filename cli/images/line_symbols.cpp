#include "images/line_symbols.h"

#include <span>

#include "segmentation.h"
#include "text_symbols.h"

namespace qrcli {

namespace {

qr::TextOptions TextOptionsOf(const BatchOptions& o) {
    qr::TextOptions t;
    t.level = o.ecLevel;
    t.version = o.requestedVersion;
    t.exactVersion = o.exactVersion;
    t.maskSetting = o.maskSetting;
    t.eci = o.eci;
    t.shiftJis = o.kanji;
    t.micro = o.micro;
    t.parts = o.splitParts;
    t.splitWhenLong = o.splitWhenLong;
    return t;
}

std::string NoSymbolReason(const qr::TextSymbols& made, std::string_view line,
                           const BatchOptions& o) {
    const std::string size = "the text (" + std::to_string(line.size()) + " bytes";
    const std::string level = std::string(" at level ") + LevelName(o.ecLevel);
    const std::string largest = SymbolName(made.largestVersion, o.micro);
    switch (made.failure) {
        case qr::NoSymbol::kMicroLevel:
            // Only an exact version lacks the level: M4 has all three.
            return SymbolName(o.requestedVersion, true) + " has no level " + LevelName(o.ecLevel) +
                   " (M1 detects errors only, M2 and M3 have L and M, M4 L, M and Q)";
        case qr::NoSymbol::kMicroExtras:
            return "Micro QR has no ECI designator and no linked symbols";
        case qr::NoSymbol::kTooFewCharacters:
            return "the text has fewer than " + std::to_string(o.splitParts) +
                   " characters to share among " + std::to_string(o.splitParts) + " symbols";
        default:
            break;
    }
    if (made.bits == qr::kNoFit && o.micro) {
        return size + ") has characters " + largest +
               " has no mode for (M1 holds digits only, M2 digits and A-Z $%*+-./: and space)";
    }
    if (o.splitParts > 1 || o.splitWhenLong) {
        const int parts = o.splitParts > 1 ? o.splitParts : qr::kMaxLinkedSymbols;
        return size + ") does not fit " + std::to_string(parts) + " linked symbols of " + largest +
               level;
    }
    if (o.exactVersion) {
        std::string reason = size + ", " + std::to_string(made.bits) + " bits in its shortest " +
                             "segments) does not fit " + largest + level + ", which holds " +
                             std::to_string(made.capacityBits) +
                             " bits, and --exact keeps that version";
        if (made.neededVersion != 0) {
            reason += " (" + SymbolName(made.neededVersion, o.micro) + " would hold it)";
        }
        return reason;
    }
    return size + ") does not fit " + largest + level;
}

}  // namespace

std::string SymbolName(int version, bool micro) {
    return micro ? "Micro QR M" + std::to_string(version) : "version " + std::to_string(version);
}

std::optional<LineSymbols> EncodeLine(std::string_view line, const BatchOptions& options,
                                      std::string& reason) {
    const std::span bytes(reinterpret_cast<const uint8_t*>(line.data()), line.size());
    if (options.appNames) {
        const qr::SymbolParams params{options.requestedVersion, options.ecLevel,
                                      options.maskSetting};
        auto symbol = qr::EncodeSymbol(bytes, params);
        if (!symbol) {
            reason = "the text (" + std::to_string(line.size()) +
                     " bytes) does not fit version 40 at level " + LevelName(options.ecLevel);
            return std::nullopt;
        }
        LineSymbols one;
        one.symbols.push_back(std::move(*symbol));
        one.ends.push_back(line.size());
        return one;
    }
    qr::TextSymbols made = qr::EncodeText(bytes, TextOptionsOf(options));
    if (made.symbols.empty()) {
        reason = NoSymbolReason(made, line, options);
        return std::nullopt;
    }
    return LineSymbols{std::move(made.symbols), std::move(made.ends)};
}

size_t LinkedSymbolsOf(std::string_view line, const BatchOptions& options) {
    if (options.appNames) return 0;
    const std::span bytes(reinterpret_cast<const uint8_t*>(line.data()), line.size());
    return qr::LinkedSymbolCount(bytes, TextOptionsOf(options));
}

std::string PartFileName(const std::string& fileName, int part) {
    // Before the extension: the name's last dot, when the last path component has one.
    const size_t dot = fileName.find_last_of("./");
    const size_t at =
        dot != std::string::npos && fileName[dot] == '.' && dot > 0 && fileName[dot - 1] != '/'
            ? dot
            : fileName.size();
    return fileName.substr(0, at) + "-" + std::to_string(part) + fileName.substr(at);
}

}  // namespace qrcli
