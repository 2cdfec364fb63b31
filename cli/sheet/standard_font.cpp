#include "standard_font.h"

namespace qrsheet {

namespace {

// Helvetica's widths for ' ' to '~', from its published metrics.
constexpr short kAsciiWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333,  278, 278, 556, 556, 556,
    556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556, 1015, 667, 667, 722, 722, 667,
    611, 778, 722, 278, 500, 667, 556, 833, 722, 778, 667, 778, 722, 667,  611, 722, 667, 944, 667,
    667, 611, 278, 278, 278, 469, 556, 333, 556, 556, 500, 556, 556, 278,  556, 556, 222, 222, 500,
    222, 833, 556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500,  500, 334, 260, 334, 584};

}  // namespace

int HelveticaWidth(char32_t c) {
    if (c >= 0x20 && c <= 0x7E) return kAsciiWidths[c - 0x20];
    return c == kEllipsis ? 1000 : 0;
}

}  // namespace qrsheet
