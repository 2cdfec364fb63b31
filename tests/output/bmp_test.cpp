#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "qrcodewin32.h"
#include "qrdevice.h"
#include "test_support.h"

namespace {

using qrtest::Le16;
using qrtest::Le32;
using qrtest::ReadFile;

struct Bmp {
    std::vector<uint8_t> bytes;
    int Width() const { return static_cast<int>(Le32(bytes, 18)); }
    int Height() const { return static_cast<int>(Le32(bytes, 22)); }
    int Bits() const { return Le16(bytes, 28); }
    size_t Stride() const { return static_cast<size_t>(((Bits() * Width() + 31) & ~31) / 8); }
    int Index(int x, int y) const {  // rows are stored bottom first
        const size_t row = Le32(bytes, 10) + static_cast<size_t>(Height() - 1 - y) * Stride();
        if (Bits() == 1) return (bytes[row + x / 8] >> (7 - x % 8)) & 1;
        return x % 2 == 0 ? bytes[row + x / 2] >> 4 : bytes[row + x / 2] & 0x0F;
    }
    uint32_t Colour(int x, int y) const {  // table entries are blue, green, red, 0
        const size_t entry = 54 + 4 * static_cast<size_t>(Index(x, y));
        return bytes[entry + 2] | (bytes[entry + 1] << 8) | (bytes[entry] << 16);
    }
};

Bmp Save(const qrtest::TempDir& dir, const std::string& name = "a.bmp") {
    const auto path = dir / name;
    EXPECT_EQ(QRSaveAsBMP(path.c_str()), -1);
    return {ReadFile(path)};
}

TEST(QRSaveAsBMP, DefaultsGiveAOneBitFileWithTheRightHeader) {
    qrtest::TempDir dir;
    QRSetDefault();
    const Bmp bmp = Save(dir);
    ASSERT_EQ(bmp.bytes.size(), 19262U);
    EXPECT_EQ(bmp.bytes[0], 'B');
    EXPECT_EQ(bmp.bytes[1], 'M');
    EXPECT_EQ(Le32(bmp.bytes, 2), 19262U);
    EXPECT_EQ(Le32(bmp.bytes, 6), 0U);
    EXPECT_EQ(Le32(bmp.bytes, 10), 62U);
    EXPECT_EQ(Le32(bmp.bytes, 14), 40U);
    EXPECT_EQ(bmp.Width(), 500);
    EXPECT_EQ(bmp.Height(), 300);
    EXPECT_EQ(Le16(bmp.bytes, 26), 1);
    EXPECT_EQ(bmp.Bits(), 1);
    EXPECT_EQ(Le32(bmp.bytes, 30), 0U);
    EXPECT_EQ(Le32(bmp.bytes, 34), 19200U);
    for (size_t at : {38, 42, 46, 50}) EXPECT_EQ(Le32(bmp.bytes, at), 0U);
    EXPECT_EQ(Le32(bmp.bytes, 54), 0x00000000U);  // black
    EXPECT_EQ(Le32(bmp.bytes, 58), 0x00FFFFFFU);  // white
}

TEST(QRSaveAsBMP, PixelsAreTheDrawingOfTheSymbol) {
    qrtest::TempDir dir;
    QRSetDefault();
    QRSetMessage("PIXELS");
    const Bmp bmp = Save(dir);
    qrtest::MemoryDC dc(500, 300);
    QRRender(dc.get(), 0, 0);
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 500; ++x) ASSERT_EQ(bmp.Colour(x, y), dc.Pixel(x, y)) << x << "," << y;
    }
}

TEST(QRSaveAsBMP, SizesForBothDepths) {
    qrtest::TempDir dir;
    QRSetDefault();
    QRSetBarColor(255, 0, 0);
    Bmp red = Save(dir);
    ASSERT_EQ(red.bytes.size(), 75718U);
    EXPECT_EQ(red.Bits(), 4);
    EXPECT_EQ(Le32(red.bytes, 10), 118U);
    EXPECT_EQ(Le32(red.bytes, 34), 75600U);
    EXPECT_EQ(red.Colour(250, 150) == 0x0000FF || red.Colour(250, 150) == 0xFFFFFF, true);
    EXPECT_EQ(red.Colour(218, 118), 0x0000FFU);  // a finder corner: pure red in the VGA table
    QRSetSize(200, 200);
    EXPECT_EQ(Save(dir).bytes.size(), 20118U);
    QRSetBarColor(0, 0, 0);
    EXPECT_EQ(Save(dir).bytes.size(), 5662U);
    QRSetSize(1, 10);
    const Bmp thin = Save(dir);
    EXPECT_EQ(thin.bytes.size(), 62U + 4U * 10U);
}

TEST(QRSaveAsBMP, WhiteOnBlackNeedsFourBitsAndColoursMapToTheNearest) {
    qrtest::TempDir dir;
    QRSetDefault();
    QRSetBackColor(0, 0, 0);
    QRSetBarColor(255, 255, 255);
    const Bmp inverse = Save(dir);
    EXPECT_EQ(inverse.Bits(), 4);
    EXPECT_EQ(inverse.Colour(0, 0), 0x000000U);
    EXPECT_EQ(inverse.Colour(218, 118), 0xFFFFFFU);
    QRSetBackColor(250, 250, 200);  // nearest: white
    QRSetBarColor(20, 100, 30);     // nearest: dark green (0, 128, 0)
    const Bmp mapped = Save(dir);
    EXPECT_EQ(mapped.Colour(0, 0), 0xFFFFFFU);
    EXPECT_EQ(mapped.Colour(218, 118), 0x008000U);
}

TEST(QRSaveAsBMP, ReplacesAnExistingFile) {
    qrtest::TempDir dir;
    const auto path = dir / "old.jpg";
    { std::ofstream(path) << std::string(100000, 'x'); }
    QRSetDefault();
    EXPECT_EQ(QRSaveAsBMP(path.c_str()), -1);
    EXPECT_EQ(std::filesystem::file_size(path), 19262U);
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1) << "no temporary file is left beside it";
}

// Each failure runs in a child process, where a crash could not take the test runner down; the
// child's own expectations decide its exit code.
template <typename Body>
void InChildProcess(Body body) {
    EXPECT_EXIT(
        {
            body();
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(QRSaveAsBMP, FailuresReturnZeroAndLeaveNoFile) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    qrtest::TempDir dir;
    const auto path = dir / "x.bmp";
    InChildProcess([&] {  // a text that does not fit version 40: the old file goes too
        { std::ofstream(path) << "old"; }
        QRSetDefault();
        QRSetMessage(std::string(3000, 'a').c_str());
        EXPECT_EQ(QRSaveAsBMP(path.c_str()), 0);
        EXPECT_FALSE(std::filesystem::exists(path));
    });
    InChildProcess([&] {  // a text longer than the record holds counts as one that cannot fit
        QRSetDefault();
        QRSetMessage(std::string(9000, '1').c_str());
        EXPECT_EQ(QRSaveAsBMP(path.c_str()), 0);
        int16_t rows = -1, columns = -1;
        QRGetActualRC(&rows, &columns);
        EXPECT_EQ(rows, 0);
    });
    InChildProcess([&] {  // nowhere to create the file
        QRSetDefault();
        EXPECT_EQ(QRSaveAsBMP((dir / "missing" / "x.bmp").c_str()), 0);
        EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
        EXPECT_EQ(QRSaveAsBMP(""), 0);
        EXPECT_EQ(QRSaveAsBMP(nullptr), 0);
    });
    for (auto [w, h] : {std::pair{-1, 10}, {10, -3}, {100000, 100000}, {2147483647, 2}}) {
        InChildProcess([&, w = w, h = h] {  // sizes a BMP cannot hold, or memory cannot
            QRSetDefault();
            QRSetSize(w, h);
            QRSetBarColor(255, 0, 0);
            EXPECT_EQ(QRSaveAsBMP(path.c_str()), 0) << w << "x" << h;
            EXPECT_FALSE(std::filesystem::exists(path));
        });
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              0);
}

}  // namespace
