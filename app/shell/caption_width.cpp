#include "shell/caption_width.h"

#include <algorithm>

namespace {

// A pixel on either side of the text, and the container's frame on the right.
constexpr int kTextPadding = 2;
constexpr int kContainerEdge = 4;

}  // namespace

int CaptionLabelWidth(int describedWidth, int textWidth, int roomToRight) {
    return std::max(describedWidth,
                    std::min(textWidth + kTextPadding, roomToRight - kContainerEdge));
}
