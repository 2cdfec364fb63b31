// The BMP picture against a model of the layout rules built from the pattern data alone: the
// symbol turned by the rotation, centred with truncated (possibly negative) margins, and the
// frame's pixels on top.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qrcodewin32.h"
#include "test_support.h"

namespace {

using qrtest::Le32;

// Module (row, column) of the picture for a rotation, from the rotation-0 pattern.
bool Module(const std::string& p0, int n, int rotation, int row, int column) {
    int r = row, c = column;
    switch (rotation) {
        case 1:
            r = column, c = n - 1 - row;
            break;  // a quarter turn counter-clockwise
        case 2:
            r = n - 1 - row, c = n - 1 - column;
            break;  // a half turn
        case 3:
            r = n - 1 - column, c = row;
            break;  // a quarter turn clockwise
        default:
            break;
    }
    return p0[static_cast<size_t>(r * n + c)] == '1';
}

std::vector<uint8_t> ExpectedPicture(int w, int h, int m, int rotation, int frame) {
    const std::string p0 = qrtest::Pattern();
    int n = 0;
    while (n * n < static_cast<int>(p0.size())) ++n;
    const int offX = (w - n * m) / 2, offY = (h - n * m) / 2;
    const int x0 = rotation == 2 ? w - offX - n * m : offX;
    const int y0 = rotation == 1 ? h - offY - n * m : offY;
    std::vector<uint8_t> dark(static_cast<size_t>(w * h), 0);
    auto set = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h) dark[static_cast<size_t>(y * w + x)] = 1;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int col = x - x0, row = y - y0;
            if (col < 0 || row < 0 || col >= n * m || row >= n * m) continue;
            if (Module(p0, n, rotation, row / m, col / m)) set(x, y);
        }
    }
    if (frame == 2) {
        for (int x = 0; x < w; ++x) set(x, 0), set(x, h - 1);
        for (int y = 0; y < h; ++y) set(0, y), set(w - 1, y);
    }
    if (frame == 1) {
        auto dashEnd = [](int start, int edge, bool draw) {
            int end = start + 4;
            if (draw && end + 4 > edge) end = edge;
            return std::min(end, edge);
        };
        for (int k = 0; k < w / 4; ++k) {
            if (k % 2 != 0) continue;
            for (int x = 4 * k; x < dashEnd(4 * k, w - 1, true); ++x) set(x, 0), set(x, h - 1);
        }
        for (int k = 0; k < h / 4; ++k) {
            if ((w / 4 + k) % 2 != 0) continue;
            for (int y = 4 * k; y < dashEnd(4 * k, h - 1, true); ++y) set(0, y), set(w - 1, y);
        }
    }
    return dark;
}

std::vector<uint8_t> BmpPicture(const std::vector<uint8_t>& bmp) {
    const int w = static_cast<int>(Le32(bmp, 18)), h = static_cast<int>(Le32(bmp, 22));
    const size_t stride = static_cast<size_t>((w + 31) / 32 * 4);
    std::vector<uint8_t> dark(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        const size_t row = Le32(bmp, 10) + static_cast<size_t>(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            dark[static_cast<size_t>(y * w + x)] = ((bmp[row + x / 8] >> (7 - x % 8)) & 1) == 0;
        }
    }
    return dark;
}

struct Geometry {
    const char* text;
    int w, h;
    double cm;
    int modulePixels;
};

TEST(BmpLayout, EveryRotationFrameAndGeometryMatchesTheModel) {
    const Geometry cases[] = {
        {"12", 500, 300, 0.07, 3},    // the worked example
        {"ROTATE", 64, 64, 0.07, 3},  // one spare column and row
        {"ROTATE", 50, 70, 0.07, 3},  // negative margin of -6
        {"version 2 exactly!", 200, 200, 0.2, 8},
        {"version three, cropped by margins of -16", 200, 200, 0.2, 8},
        {"dashes", 504, 301, 0.07, 3},
        {"odd", 97, 33, 0.1, 4},
    };
    qrtest::TempDir dir;
    const auto path = dir / "layout.bmp";
    for (const Geometry& g : cases) {
        for (int rotation = 0; rotation < 4; ++rotation) {
            for (int frame = 0; frame < 3; ++frame) {
                QRSetDefault();
                QRSetSize(g.w, g.h);
                QRSetMessage(g.text);
                QRAppearance(g.cm, static_cast<int16_t>(rotation), static_cast<int16_t>(frame));
                ASSERT_EQ(QRSaveAsBMP(path.c_str()), -1);
                int32_t side = 0, unused = 0;
                QRGetActualSize(-1, nullptr, &side, &unused);
                ASSERT_EQ(side % g.modulePixels, 0);
                EXPECT_EQ(BmpPicture(qrtest::ReadFile(path)),
                          ExpectedPicture(g.w, g.h, g.modulePixels, rotation, frame))
                    << g.text << " " << g.w << "x" << g.h << " rotation " << rotation << " frame "
                    << frame;
            }
        }
    }
}

TEST(BmpLayout, TwoHundredSquareHoldsVersion2ExactlyAndCropsVersion3) {
    QRSetDefault();
    QRSetSize(200, 200);
    QRAppearance(0.2, 1, 0);
    int16_t rows = 0, columns = 0;
    QRSetMessage("version 2 exactly!");  // 18 bytes at level L: version 2
    QRGetActualRC(&rows, &columns);
    EXPECT_EQ(rows, 25);
    int32_t w = 0, h = 0;
    QRGetActualSize(-1, nullptr, &w, &h);
    EXPECT_EQ(w, 200);
    QRSetMessage("version three, cropped by margins of -16");  // 40 bytes: version 3, 232 pixels
    QRGetActualRC(&rows, &columns);
    EXPECT_EQ(rows, 29);
    QRGetActualSize(-1, nullptr, &w, &h);
    EXPECT_EQ(w, 232);  // margins of (200 - 232) / 2 = -16: two modules lost on every side
}

}  // namespace
