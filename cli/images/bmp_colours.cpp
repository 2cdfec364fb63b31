#include "images/bmp_colours.h"

#include "dib_canvas.h"
#include "options/colours.h"
#include "symbol_drawing.h"

namespace qrcli {

namespace {

// The colour the BMP writer puts down for this one: its nearest table entry.
qrplat::ColorRef AsWritten(qrplat::ColorRef color, int bits) {
    auto canvas = qrplat::DibCanvas::Create(1, 1, bits, 96, 96);
    if (!canvas) return color;
    canvas->FillRect(0, 0, 1, 1, color);
    const auto& file = canvas->FileBytes();
    constexpr size_t kTable = 14 + 40;  // after the file and information headers
    const size_t at = kTable + 4 * static_cast<size_t>(canvas->IndexAt(0, 0));
    return qrplat::MakeColorRef(file[at + 2], file[at + 1], file[at]);  // stored B, G, R
}

}  // namespace

std::optional<std::string> BmpColourNotice(const BatchOptions& options) {
    if (options.format != ImageFormat::kBmp) return std::nullopt;
    const int bits = qrlib::BmpBitsFor(options.backColor, options.barColor);
    std::string changes;
    for (auto [name, color] :
         {std::pair{"--fg ", options.barColor}, {"--bg ", options.backColor}}) {
        const qrplat::ColorRef written = AsWritten(color, bits);
        if (written == color) continue;
        if (!changes.empty()) changes += ", ";
        changes += name + ColourText(color) + " is written as " + ColourText(written);
    }
    if (changes.empty()) return std::nullopt;
    return "a BMP file holds the 16 standard colours only: " + changes;
}

std::optional<std::string> BmpColoursMeet(const BatchOptions& options) {
    if (options.format != ImageFormat::kBmp) return std::nullopt;
    const int bits = qrlib::BmpBitsFor(options.backColor, options.barColor);
    const qrplat::ColorRef written = AsWritten(options.barColor, bits);
    if (written != AsWritten(options.backColor, bits)) return std::nullopt;
    return "--fg " + ColourText(options.barColor) + " and --bg " + ColourText(options.backColor) +
           " are both written as " + ColourText(written) +
           " in a BMP file, which holds the 16 standard colours only: no reader would find the "
           "code";
}

}  // namespace qrcli
