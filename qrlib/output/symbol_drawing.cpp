#include "symbol_drawing.h"

#include <algorithm>
#include <utility>

namespace qrlib {

namespace {

// Positions are worked out in 64 bits; what reaches a canvas is kept within int.
int Clamp(int64_t v) {
    constexpr int64_t kLimit = int64_t{1} << 30;
    return static_cast<int>(v < -kLimit ? -kLimit : v > kLimit ? kLimit : v);
}

// A canvas front that takes 64-bit positions.
struct Pen {
    qrplat::Canvas& c;
    void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1) const {
        c.MoveTo(Clamp(x0), Clamp(y0));
        c.LineTo(Clamp(x1), Clamp(y1));
    }
    void Fill(int64_t l, int64_t t, int64_t r, int64_t b, qrplat::ColorRef color) const {
        c.FillRect(Clamp(l), Clamp(t), Clamp(r), Clamp(b), color);
    }
};

void DrawSolidFrame(const Pen& p, int64_t x, int64_t y, int64_t w, int64_t h) {
    const int64_t xe = x + w - 1;
    const int64_t ye = y + h - 1;
    p.Line(x, y, x + w, y);
    p.Line(xe, y, xe, y + h);
    p.Line(x + w, ye, x, ye);
    p.Line(x, y + h, x, y);
}

// Dashes of 4 with gaps of 4; the last dash of a pass may stretch to the far edge, and the
// dash-or-gap state runs on from the horizontal pass into the vertical one.
void DrawDashedFrame(const Pen& p, int64_t x, int64_t y, int64_t w, int64_t h) {
    const int64_t xe = x + w - 1;
    const int64_t ye = y + h - 1;
    const int64_t across = w / 4;
    const int64_t down = h / 4;
    // Slots that cannot reach the surface are skipped; whether a slot draws follows from its
    // number, so skipping changes nothing that shows.
    int extentW = 0;
    int extentH = 0;
    const bool bounded = p.c.Extent(extentW, extentH);
    auto slots = [&](int64_t start, int64_t count, int64_t extent) {
        if (!bounded) return std::pair<int64_t, int64_t>{0, count};
        const int64_t first = std::max<int64_t>(0, -start / 4 - 2);
        const int64_t last = std::min<int64_t>(count, (extent - start) / 4 + 2);
        return std::pair<int64_t, int64_t>{first, std::max(first, last)};
    };
    auto dashEnd = [](int64_t start, int64_t edge) {
        return std::min(start + 8 > edge ? edge : start + 4, edge);
    };

    const auto [h0, h1] = slots(x, across, extentW);
    for (int64_t k = h0; k < h1 && !p.c.Saturated(); ++k) {
        if (k % 2 != 0) continue;
        const int64_t x0 = x + 4 * k;
        const int64_t x1 = dashEnd(x0, xe);
        p.Line(x0, y, x1, y);
        p.Line(x0, ye, x1, ye);
    }
    const auto [v0, v1] = slots(y, down, extentH);
    for (int64_t k = v0; k < v1 && !p.c.Saturated(); ++k) {
        if ((across + k) % 2 != 0) continue;
        const int64_t y0 = y + 4 * k;
        const int64_t y1 = dashEnd(y0, ye);
        p.Line(x, y0, x, y1);
        p.Line(xe, y0, xe, y1);
    }
}

}  // namespace

void DrawSymbol(qrplat::Canvas& canvas, const qr::ModuleMatrix& matrix, const Appearance& s,
                int originX, int originY) {
    const Pen pen{canvas};
    const int64_t m = s.modulePixels;
    const int64_t n = matrix.side;
    const int64_t w = s.width;
    const int64_t h = s.height;
    const int64_t x = originX;
    const int64_t y = originY;
    const int64_t offsetX = (w - n * m) / 2;  // truncates toward zero: negative margins stay
    const int64_t offsetY = (h - n * m) / 2;

    pen.Fill(x, y, x + w, y + h, s.backColor);

    if (m > 0) {
        for (int64_t i = 0; i < n; ++i) {
            for (int64_t j = 0; j < n; ++j) {
                if (!matrix.Module(static_cast<int>(n - 1 - j), static_cast<int>(i))) continue;
                int64_t left = 0;
                int64_t top = 0;
                switch (s.rotation) {
                    case 0:
                        left = x + offsetX + j * m;
                        top = y + offsetY + i * m;
                        break;
                    case 1:
                        left = x + offsetX + i * m;
                        top = y + h - offsetY - (j + 1) * m;
                        break;
                    case 2:
                        left = x + w - offsetX - (j + 1) * m;
                        top = y + offsetY + (n - 1 - i) * m;
                        break;
                    default:
                        left = x + offsetX + (n - 1 - i) * m;
                        top = y + offsetY + j * m;
                        break;
                }
                pen.Fill(left, top, left + m, top + m, s.barColor);
            }
        }
    }

    if (s.frameStyle == 2) DrawSolidFrame(pen, x, y, w, h);
    if (s.frameStyle == 1) DrawDashedFrame(pen, x, y, w, h);
}

}  // namespace qrlib
