// Where the labels of a sheet are: the page, the grid and the label size, all in PDF points
// (1/72 inch), measured from the page's top-left corner as a label sheet's maker states them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrsheet {

inline constexpr double kPointsPerMm = 72.0 / 25.4;

// One label's rectangle in PDF coordinates: origin at the page's bottom-left, y upwards.
struct LabelBox {
    double left = 0;
    double bottom = 0;
    double width = 0;
    double height = 0;
    double Top() const { return bottom + height; }
    double Right() const { return left + width; }
};

struct SheetLayout {
    double pageWidth = 0;
    double pageHeight = 0;
    int columns = 0;
    int rows = 0;
    double labelWidth = 0;
    double labelHeight = 0;
    double left = 0;    // page edge to the first column
    double top = 0;     // page edge to the first row
    double pitchX = 0;  // one column's left edge to the next one's
    double pitchY = 0;  // one row's top edge to the next one's

    int LabelsPerPage() const { return columns * rows; }
    // Labels fill a row from left to right, then the next row down.
    LabelBox Label(int indexOnPage) const;
};

// A preset name ("a4-3x8") or the custom form
//   PAGE:cols=N,rows=N,label=WxH<unit>[,margin=X|LEFTxTOP<unit>][,gap=X|HxV<unit>]
// with PAGE a4, letter or WxH<unit>, units mm, cm, in or pt. Without a margin the grid is
// centred on the page. Nothing, with the reason, when the text is no layout or the grid does
// not fit the page.
std::optional<SheetLayout> ParseSheetLayout(std::string_view text, std::string& error);

// "XxY<unit>" with signed numbers, e.g. "1.5x-0.5mm", in points.
bool ParseOffset(std::string_view text, double& x, double& y);

// The presets, one per line with what they hold, for the help text.
std::string PresetDescriptions();

}  // namespace qrsheet
