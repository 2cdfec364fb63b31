// How a caption's lines fit their room on the label: at the largest size when they do, made
// smaller down to a readable least size when they do not, then broken onto more lines, and
// only then cut short with an ellipsis.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qrsheet {

struct CaptionRoom {
    double width = 0;     // points
    double height = 0;    // points, for all lines together
    double largest = 10;  // the size tried first, in points
    double smallest = 5;  // the least size still read easily
};

inline constexpr double kLineSpacing = 1.2;  // baseline to baseline, in font sizes

// A line as drawn: characters [begin, end) of one source line, an ellipsis after them when
// the caption is cut there.
struct CaptionPiece {
    size_t line = 0;
    size_t begin = 0;
    size_t end = 0;
    bool ellipsis = false;
};

struct CaptionFit {
    double size = 0;  // points
    std::vector<CaptionPiece> pieces;
    bool cut = false;  // some of the text is not shown
};

// advances: for each source line, each character's advance in thousandths of an em (0 for a
// character inside a cluster, where no line may break); ellipsis: the ellipsis' advance.
CaptionFit FitCaption(const std::vector<std::u32string>& lines,
                      const std::vector<std::vector<double>>& advances, double ellipsis,
                      const CaptionRoom& room);

}  // namespace qrsheet
