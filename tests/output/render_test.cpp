#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qrcodewin32.h"
#include "qrdevice.h"
#include "test_support.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0x0000FF;

// The drawn modules of a square symbol of side n at module size m, offset (x, y), as text.
std::string Sample(const qrtest::MemoryDC& dc, int x, int y, int n, int m, uint32_t dark = kBlack) {
    std::string out;
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            out += dc.Pixel(x + c * m + m / 2, y + r * m + m / 2) == dark ? '1' : '0';
        }
    }
    return out;
}

std::string Turned(const std::string& p, int n) {  // a quarter turn counter-clockwise
    std::string out(p.size(), '?');
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c)
            out[static_cast<size_t>((n - 1 - c) * n + r)] = p[static_cast<size_t>(r * n + c)];
    }
    return out;
}

TEST(QRRender, WorkedExampleCentresTheSymbol) {
    QRSetDefault();
    qrtest::MemoryDC dc(500, 300);
    QRRender(dc.get(), 0, 0);
    // 21 modules of 3 pixels: x 218 to 280, y 118 to 180.
    EXPECT_EQ(Sample(dc, 218, 118, 21, 3), qrtest::Pattern());
    EXPECT_EQ(dc.Pixel(217, 118), kWhite);
    EXPECT_EQ(dc.Pixel(218, 118), kBlack);
    EXPECT_EQ(dc.Pixel(280, 118), kBlack);
    EXPECT_EQ(dc.Pixel(281, 118), kWhite);
    EXPECT_EQ(dc.Pixel(218, 117), kWhite);
    EXPECT_EQ(dc.Pixel(0, 0), kWhite);
    EXPECT_EQ(dc.Pixel(499, 299), kWhite);
}

TEST(QRRender, BackgroundCoversExactlyTheRectangleAtTheOrigin) {
    QRSetDefault();
    QRSetSize(100, 80);
    QRSetBackColor(255, 0, 0);
    qrtest::MemoryDC dc(200, 200);
    QRRender(dc.get(), 10, 20);
    EXPECT_EQ(dc.Pixel(10, 20), kRed);
    EXPECT_EQ(dc.Pixel(109, 99), kRed);
    EXPECT_EQ(dc.Pixel(9, 20), kBlack);  // untouched surface
    EXPECT_EQ(dc.Pixel(110, 20), kBlack);
    EXPECT_EQ(dc.Pixel(10, 19), kBlack);
    EXPECT_EQ(dc.Pixel(10, 100), kBlack);
    // (100 - 63) / 2 = 18 and (80 - 63) / 2 = 8 from the origin.
    EXPECT_EQ(Sample(dc, 28, 28, 21, 3), qrtest::Pattern());
}

TEST(QRRender, MapModeIsRestoredAndFailureDrawsNothing) {
    QRSetDefault();
    qrtest::MemoryDC dc(500, 300);
    QRSetDCMapMode(dc.get(), 7);
    QRRender(dc.get(), 0, 0);
    EXPECT_EQ(QRGetDCMapMode(dc.get()), 7);
    EXPECT_EQ(dc.Pixel(0, 0), kWhite);

    qrtest::MemoryDC untouched(500, 300);
    QRSetMessage(std::string(3000, 'a').c_str());
    QRRender(untouched.get(), 0, 0);
    for (int x = 0; x < 500; x += 7) EXPECT_EQ(untouched.Pixel(x, 150), kBlack);
    EXPECT_EQ(QRGetDCMapMode(untouched.get()), 1);
}

TEST(QRRender, FourRotationsAreTurnsOfOnePicture) {
    QRSetDefault();
    QRSetMessage("ROTATE");
    QRSetSize(64, 64);  // 63 pixels of symbol: one spare column and row
    const std::string p0 = qrtest::Pattern();
    std::vector<std::string> pictures;
    std::vector<std::pair<int, int>> origins = {{0, 0}, {0, 1}, {1, 0}, {0, 0}};
    for (int rotation = 0; rotation < 4; ++rotation) {
        QRAppearance(0.07, static_cast<int16_t>(rotation), 0);
        qrtest::MemoryDC dc(64, 64);
        QRRender(dc.get(), 0, 0);
        const auto [x, y] = origins[static_cast<size_t>(rotation)];
        pictures.push_back(Sample(dc, x, y, 21, 3));
        // The spare pixels: right (0, 3), left (2); below (0, 2, 3), above (1).
        EXPECT_EQ(dc.Pixel(rotation == 2 ? 0 : 63, 30), kWhite) << rotation;
        EXPECT_EQ(dc.Pixel(30, rotation == 1 ? 0 : 63), kWhite) << rotation;
    }
    EXPECT_EQ(pictures[0], p0);
    // From the rotation-0 picture: a quarter turn counter-clockwise, a half turn, a quarter
    // turn clockwise.
    EXPECT_EQ(pictures[1], Turned(p0, 21));
    EXPECT_EQ(pictures[2], Turned(Turned(p0, 21), 21));
    EXPECT_EQ(pictures[3], Turned(Turned(Turned(p0, 21), 21), 21));
    // Rotation 1 is the standard orientation: finder patterns top left, top right, bottom left.
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(pictures[1][static_cast<size_t>(20 * 21 + k)], '1');
        EXPECT_EQ(pictures[1][static_cast<size_t>(k)], '1');
        EXPECT_EQ(pictures[1][static_cast<size_t>(20 - k)], '1');
    }
}

TEST(QRRender, NegativeMarginsAreNotClipped) {
    QRSetDefault();
    QRSetSize(50, 63);
    QRSetBarColor(255, 0, 0);
    qrtest::MemoryDC dc(80, 80);
    QRRender(dc.get(), 10, 0);
    // offsetX = (50 - 63) / 2 = -6: the symbol starts 6 pixels left of the rectangle (x 4).
    EXPECT_EQ(Sample(dc, 4, 0, 21, 3, kRed), qrtest::Pattern());
    EXPECT_EQ(dc.Pixel(4, 0), kRed);
    EXPECT_EQ(dc.Pixel(3, 0), kBlack);  // left of both: untouched
}

TEST(QRRender, ZeroModulePixelsDrawsBackgroundOnly) {
    QRSetDefault();
    QRSetBackColor(255, 0, 0);
    qrtest::MemoryDC dc(500, 300, 10, 10);  // 0.07 cm at 10 dpi: 0.28 pixels
    QRRender(dc.get(), 0, 0);
    for (int x = 0; x < 500; x += 3) EXPECT_EQ(dc.Pixel(x, 150), kRed);
}

std::vector<int> BlackColumns(const qrtest::MemoryDC& dc, int y, int width) {
    std::vector<int> xs;
    for (int x = 0; x < width + 2; ++x) {
        if (dc.Pixel(x, y) == kBlack) xs.push_back(x);
    }
    return xs;
}

TEST(Frames, SolidFrameIsTheOutermostRing) {
    QRSetDefault();
    QRSetMessage("");
    QRAppearance(0.07, 0, 2);
    QRSetBarColor(255, 0, 0);  // modules red, the frame's pen black
    qrtest::MemoryDC dc(502, 302);
    QRRender(dc.get(), 1, 1);
    for (int x = 1; x <= 500; ++x) {
        EXPECT_EQ(dc.Pixel(x, 1), kBlack);
        EXPECT_EQ(dc.Pixel(x, 300), kBlack);
        EXPECT_EQ(dc.Pixel(x, 2), x == 1 || x == 500 ? kBlack : kWhite);
    }
    for (int y = 1; y <= 300; ++y) {
        EXPECT_EQ(dc.Pixel(1, y), kBlack);
        EXPECT_EQ(dc.Pixel(500, y), kBlack);
    }
    // The two pixels beyond the rectangle: right of bottom-right, below bottom-left.
    EXPECT_EQ(dc.Pixel(501, 300), kBlack);
    EXPECT_EQ(dc.Pixel(1, 301), kBlack);
}

TEST(Frames, DashedFrameSlotsAndTheirCarryOver) {
    QRSetDefault();
    QRAppearance(0.07, 0, 1);
    QRSetBarColor(255, 0, 0);
    {
        qrtest::MemoryDC dc(500, 300);
        QRRender(dc.get(), 0, 0);
        std::vector<int> expected;
        for (int x = 0; x < 499; ++x) {
            if ((x / 4) % 2 == 0) expected.push_back(x);  // slot 124 runs 496..498
        }
        EXPECT_EQ(BlackColumns(dc, 0, 500), expected);
        EXPECT_EQ(BlackColumns(dc, 299, 500), expected);
        // 125 slots: the vertical pass starts with a gap; odd slots draw, 73 stretches to 298.
        for (int y = 1; y < 299; ++y) {
            const bool dash = (y / 4) % 2 == 1 || y >= 296;
            EXPECT_EQ(dc.Pixel(0, y), dash ? kBlack : kWhite) << y;
            EXPECT_EQ(dc.Pixel(499, y), dash ? kBlack : kWhite) << y;
        }
    }
    {
        QRSetSize(504, 300);
        qrtest::MemoryDC dc(504, 300);
        QRRender(dc.get(), 0, 0);
        EXPECT_EQ(dc.Pixel(502, 0), kBlack);  // slot 124 lengthened to 503
        EXPECT_EQ(dc.Pixel(503, 0), kBlack);  // ... and the vertical pass starts with a dash
        EXPECT_EQ(dc.Pixel(503, 3), kBlack);
        EXPECT_EQ(dc.Pixel(503, 4), kWhite);
        EXPECT_EQ(dc.Pixel(0, 5), kWhite);
    }
}

}  // namespace
