#include "sheet_layout.h"

#include <charconv>
#include <cmath>
#include <map>

namespace qrsheet {

namespace {

struct Preset {
    const char* name;
    const char* form;
    const char* holds;
};

// Common die-cut sheets; each grid is centred on its page, as the makers cut them, which gives
// the margins their sheets state (Avery L7160: 7.2 mm at the side, 15.15 mm at the top; 5160:
// 3/16 inch and 1/2 inch). The same geometry is sold under the makers' product codes, and by
// other brands (in China as 21-, 24- and 65-up A4 sheets) as their equivalents.
constexpr Preset kPresets[] = {
    {"a4-3x8", "a4:cols=3,rows=8,label=70x37mm", "A4, 3 x 8 of 70 x 37 mm"},
    {"a4-3x7", "a4:cols=3,rows=7,label=70x42.3mm", "A4, 3 x 7 of 70 x 42.3 mm"},
    {"a4-4x10", "a4:cols=4,rows=10,label=48.5x25.4mm", "A4, 4 x 10 of 48.5 x 25.4 mm"},
    {"a4-2x7", "a4:cols=2,rows=7,label=99.1x38.1mm,gap=2.5x0mm", "A4, 2 x 7 of 99.1 x 38.1 mm"},
    {"a4-5x13", "a4:cols=5,rows=13,label=38.1x21.2mm,gap=2.5x0mm", "A4, 5 x 13 of 38.1 x 21.2 mm"},
    {"letter-3x10", "letter:cols=3,rows=10,label=2.625x1in,gap=0.125x0in",
     "letter, 3 x 10 of 2.625 x 1 in"},
    {"letter-2x10", "letter:cols=2,rows=10,label=4x1in,gap=0.1875x0in",
     "letter, 2 x 10 of 4 x 1 in"},
    {"letter-4x20", "letter:cols=4,rows=20,label=1.75x0.5in,gap=0.3x0in",
     "letter, 4 x 20 of 1.75 x 0.5 in"},
    // By product code.
    {"avery-l7160", "a4:cols=3,rows=7,label=63.5x38.1mm,gap=2.54x0mm",
     "A4, 3 x 7 of 63.5 x 38.1 mm (J8160)"},
    {"avery-l7159", "a4:cols=3,rows=8,label=63.5x33.9mm,gap=2.54x0mm",
     "A4, 3 x 8 of 63.5 x 33.9 mm (J8159)"},
    {"avery-l7161", "a4:cols=3,rows=6,label=63.5x46.6mm,gap=2.54x0mm",
     "A4, 3 x 6 of 63.5 x 46.6 mm (J8161)"},
    {"avery-l7162", "a4:cols=2,rows=8,label=99.1x33.9mm,gap=2.5x0mm",
     "A4, 2 x 8 of 99.1 x 33.9 mm (J8162)"},
    {"avery-l7163", "a4:cols=2,rows=7,label=99.1x38.1mm,gap=2.5x0mm",
     "A4, 2 x 7 of 99.1 x 38.1 mm (J8163)"},
    {"avery-l7165", "a4:cols=2,rows=4,label=99.1x67.7mm,gap=2.5x0mm",
     "A4, 2 x 4 of 99.1 x 67.7 mm (J8165)"},
    {"avery-l7651", "a4:cols=5,rows=13,label=38.1x21.2mm,gap=2.5x0mm",
     "A4, 5 x 13 of 38.1 x 21.2 mm (J8651)"},
    {"zweckform-3474", "a4:cols=3,rows=8,label=70x37mm", "A4, 3 x 8 of 70 x 37 mm"},
    {"avery-5160", "letter:cols=3,rows=10,label=2.625x1in,gap=0.125x0in",
     "letter, 3 x 10 of 2.625 x 1 in (8160)"},
    {"avery-5161", "letter:cols=2,rows=10,label=4x1in,gap=0.1875x0in",
     "letter, 2 x 10 of 4 x 1 in (8161)"},
    {"avery-5162", "letter:cols=2,rows=7,label=4x1.3333in,gap=0.1875x0in",
     "letter, 2 x 7 of 4 x 1 1/3 in (8162)"},
    {"avery-5163", "letter:cols=2,rows=5,label=4x2in,gap=0.1875x0in",
     "letter, 2 x 5 of 4 x 2 in (8163)"},
    {"avery-5164", "letter:cols=2,rows=3,label=4x3.3333in,gap=0.1875x0in",
     "letter, 2 x 3 of 4 x 3 1/3 in (8164)"},
    {"avery-5167", "letter:cols=4,rows=20,label=1.75x0.5in,gap=0.3x0in",
     "letter, 4 x 20 of 1.75 x 0.5 in (8167)"},
};

constexpr double kMinLabelMm = 5;
constexpr double kMaxPagePoints = 14400;  // PDF's own limit: 200 inches a side
constexpr double kSlack = 0.01;           // points a grid may exceed its page by rounding alone

bool ParseNumber(std::string_view text, double& out) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(out);
}

// Points per unit, or 0 for no unit known.
double UnitPoints(std::string_view unit) {
    if (unit == "mm") return kPointsPerMm;
    if (unit == "cm") return 10 * kPointsPerMm;
    if (unit == "in") return 72;
    if (unit == "pt") return 1;
    return 0;
}

// "12.5mm", or "12.5" taking the unit of its partner in "12.5x20mm".
bool ParseLength(std::string_view text, double inheritedUnit, double& points) {
    size_t numberEnd = text.size();
    while (numberEnd > 0 && std::isalpha(static_cast<unsigned char>(text[numberEnd - 1])))
        --numberEnd;
    double unit = inheritedUnit;
    if (numberEnd < text.size()) unit = UnitPoints(text.substr(numberEnd));
    double value = 0;
    if (unit == 0 || !ParseNumber(text.substr(0, numberEnd), value) || value < 0) return false;
    // Kept finite, so that sums of lengths never meet inf - inf; the page's and the grid's
    // bounds refuse it.
    points = std::min(value * unit, 1e300);
    return true;
}

double TrailingUnit(std::string_view text) {
    size_t numberEnd = text.size();
    while (numberEnd > 0 && std::isalpha(static_cast<unsigned char>(text[numberEnd - 1])))
        --numberEnd;
    return UnitPoints(text.substr(numberEnd));
}

// "WxH<unit>", or a single length for both when single is allowed.
bool ParsePair(std::string_view text, bool single, double& first, double& second) {
    const size_t x = text.find('x');
    if (x == std::string_view::npos) {
        if (!single || !ParseLength(text, 0, first)) return false;
        second = first;
        return true;
    }
    const double unit = TrailingUnit(text.substr(x + 1));
    return ParseLength(text.substr(0, x), unit, first) &&
           ParseLength(text.substr(x + 1), 0, second);
}

bool ParsePage(std::string_view text, double& width, double& height) {
    if (text == "a4") {
        width = 210 * kPointsPerMm;
        height = 297 * kPointsPerMm;
        return true;
    }
    if (text == "letter") {
        width = 8.5 * 72;
        height = 11 * 72;
        return true;
    }
    return ParsePair(text, false, width, height) && width > 0 && height > 0;
}

bool ParseCount(std::string_view text, int high, int& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size() && out >= 1 && out <= high;
}

std::optional<SheetLayout> ParseCustom(std::string_view text, std::string& error) {
    const size_t colon = text.find(':');
    SheetLayout layout;
    if (!ParsePage(text.substr(0, colon), layout.pageWidth, layout.pageHeight)) {
        error = "unknown page \"" + std::string(text.substr(0, colon)) +
                "\" (a4, letter, or WxH with mm, cm, in or pt)";
        return std::nullopt;
    }
    if (std::max(layout.pageWidth, layout.pageHeight) > kMaxPagePoints + kSlack) {
        error = "page \"" + std::string(text.substr(0, colon)) +
                "\" is larger than a PDF page can be: at most 14400 x 14400 pt "
                "(200 x 200 in, 5080 x 5080 mm)";
        return std::nullopt;
    }
    std::map<std::string, std::string, std::less<>> fields;
    std::string_view rest = text.substr(colon + 1);
    while (!rest.empty()) {
        const std::string_view field = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), field.size() + 1));
        const size_t equals = field.find('=');
        const std::string key(field.substr(0, equals));
        if (equals == std::string_view::npos ||
            !fields.emplace(key, field.substr(equals + 1)).second) {
            error = std::string("\"").append(field).append("\" is no key=value of its own");
            return std::nullopt;
        }
    }
    for (const auto& [key, value] : fields) {
        if (key != "cols" && key != "rows" && key != "label" && key != "margin" && key != "gap") {
            error = "unknown key \"" + key + "\" (cols, rows, label, margin, gap)";
            return std::nullopt;
        }
    }
    auto bad = [&](const char* key, const char* what) {
        error = std::string(key) + "=" + (fields.count(key) ? fields[key] : "") + ": " + what;
        return std::nullopt;
    };
    if (!ParseCount(fields["cols"], 50, layout.columns)) return bad("cols", "needs 1 to 50");
    if (!ParseCount(fields["rows"], 100, layout.rows)) return bad("rows", "needs 1 to 100");
    if (!ParsePair(fields["label"], false, layout.labelWidth, layout.labelHeight) ||
        std::min(layout.labelWidth, layout.labelHeight) < kMinLabelMm * kPointsPerMm) {
        return bad("label", "needs WxH with a unit, each side at least 5 mm");
    }
    double gapX = 0;
    double gapY = 0;
    if (fields.count("gap") && !ParsePair(fields["gap"], true, gapX, gapY)) {
        return bad("gap", "needs a length or HxV with a unit");
    }
    layout.pitchX = layout.labelWidth + gapX;
    layout.pitchY = layout.labelHeight + gapY;
    // Labels and gaps summed apart, so that a huge gap between no labels adds nothing.
    const double gridWidth = layout.columns * layout.labelWidth + (layout.columns - 1) * gapX;
    const double gridHeight = layout.rows * layout.labelHeight + (layout.rows - 1) * gapY;
    if (fields.count("margin")) {
        if (!ParsePair(fields["margin"], true, layout.left, layout.top)) {
            return bad("margin", "needs a length or LEFTxTOP with a unit");
        }
    } else {
        layout.left = (layout.pageWidth - gridWidth) / 2;
        layout.top = (layout.pageHeight - gridHeight) / 2;
    }
    if (layout.left < -kSlack || layout.left + gridWidth > layout.pageWidth + kSlack ||
        layout.top < -kSlack || layout.top + gridHeight > layout.pageHeight + kSlack) {
        error = "the grid of labels is larger than the page";
        return std::nullopt;
    }
    layout.left = std::max(layout.left, 0.0);
    layout.top = std::max(layout.top, 0.0);
    return layout;
}

}  // namespace

bool ParseOffset(std::string_view text, double& x, double& y) {
    const size_t cross = text.find('x');
    if (cross == std::string_view::npos) return false;
    auto signedLength = [](std::string_view part, double unit, double& points) {
        const bool negative = !part.empty() && part.front() == '-';
        if (negative) part.remove_prefix(1);
        if (!part.empty() && part.front() == '+') return false;
        if (!ParseLength(part, unit, points) || points > kMaxPagePoints) return false;
        if (negative) points = -points;
        return true;
    };
    const double unit = TrailingUnit(text.substr(cross + 1));
    return signedLength(text.substr(0, cross), unit, x) &&
           signedLength(text.substr(cross + 1), 0, y);
}

LabelBox SheetLayout::Label(int indexOnPage) const {
    const int column = indexOnPage % columns;
    const int row = indexOnPage / columns;
    const double top = pageHeight - this->top - row * pitchY;
    return LabelBox{left + column * pitchX, top - labelHeight, labelWidth, labelHeight};
}

std::optional<SheetLayout> ParseSheetLayout(std::string_view text, std::string& error) {
    for (const auto& preset : kPresets) {
        if (text == preset.name) return ParseCustom(preset.form, error);
    }
    if (text.find(':') == std::string_view::npos) {
        error = "unknown sheet layout \"" + std::string(text) +
                "\" (a preset such as a4-3x8, or PAGE:cols=N,rows=N,label=WxH<unit>)";
        return std::nullopt;
    }
    auto layout = ParseCustom(text, error);
    if (!layout) error = "sheet layout \"" + std::string(text) + "\": " + error;
    return layout;
}

std::string PresetDescriptions() {
    std::string text;
    for (const auto& preset : kPresets) {
        std::string name = preset.name;
        name.resize(15, ' ');
        text += std::string(23, ' ') + name + preset.holds + "\n";
    }
    return text;
}

}  // namespace qrsheet
