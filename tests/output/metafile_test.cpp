#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "qrcodewin32.h"
#include "qrdevice.h"
#include "test_support.h"

namespace {

using qrtest::Le16;
using qrtest::Le32;
using qrtest::ReadFile;

int DarkModules() {
    const std::string p = qrtest::Pattern();
    return static_cast<int>(std::count(p.begin(), p.end(), '1'));
}

// Record counts by function number of a Windows metafile that starts at `at`.
std::map<uint16_t, int> WmfRecords(const std::vector<uint8_t>& b, size_t at) {
    std::map<uint16_t, int> counts;
    size_t pos = at + 18;
    while (pos + 6 <= b.size()) {
        const uint32_t words = Le32(b, pos);
        const uint16_t function = Le16(b, pos + 4);
        ++counts[function];
        if (function == 0 || words < 3) break;
        pos += 2 * static_cast<size_t>(words);
    }
    EXPECT_EQ(pos + 6, b.size()) << "the end-of-file record closes the file";
    return counts;
}

TEST(QRSaveAsWMF, PlaceableHeaderThenTheMetafile) {
    qrtest::TempDir dir;
    const auto path = dir / "a.wmf";
    QRSetDefault();
    EXPECT_EQ(QRSaveAsWMF(path.c_str()), -1);
    const auto b = ReadFile(path);
    const std::vector<uint8_t> header = {0xD7, 0xCD, 0xC6, 0x9A, 0x00, 0x00, 0x00, 0x00,
                                         0x00, 0x00, 0xF4, 0x01, 0x2C, 0x01, 0x60, 0x00,
                                         0x00, 0x00, 0x00, 0x00, 0xA9, 0x57};
    ASSERT_GT(b.size(), 40U);
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 22), header);
    // The metafile's own header: in memory, 9 words, version 0x300, its size in words.
    EXPECT_EQ(Le16(b, 22), 1);
    EXPECT_EQ(Le16(b, 24), 9);
    EXPECT_EQ(Le16(b, 26), 0x0300);
    EXPECT_EQ(Le32(b, 28) * 2, b.size() - 22);
    const auto records = WmfRecords(b, 22);
    EXPECT_EQ(records.at(0x020C), 1);                  // window extent
    EXPECT_EQ(records.at(0x020B), 1);                  // window origin
    EXPECT_EQ(records.at(0x061D), DarkModules() + 1);  // background and one per dark module
    EXPECT_EQ(records.at(0x02FC), 2);                  // two brushes
    EXPECT_EQ(records.count(0x0213), 0U);              // no frame, no lines
}

TEST(QRSaveAsWMF, ChecksumAndBoundingBoxOfOtherSizes) {
    qrtest::TempDir dir;
    const auto path = dir / "b.wmf";
    QRSetDefault();
    QRSetSize(200, 200);
    QRAppearance(0.07, 0, 2);
    ASSERT_EQ(QRSaveAsWMF(path.c_str()), -1);
    auto b = ReadFile(path);
    EXPECT_EQ(Le16(b, 20), 0x5771);
    EXPECT_EQ(WmfRecords(b, 22).at(0x0213), 4);  // the solid frame's four lines
    QRSetSize(70000, 10);
    QRAppearance(0.07, 0, 0);
    ASSERT_EQ(QRSaveAsWMF(path.c_str()), -1);
    b = ReadFile(path);
    EXPECT_EQ(Le16(b, 10), 4464);
}

TEST(QRSaveAsWMF, ExistingFileReplacedAndUncreatableFileFails) {
    qrtest::TempDir dir;
    const auto path = dir / "c.wmf";
    { std::ofstream(path) << std::string(5000, 'x'); }
    QRSetDefault();
    EXPECT_EQ(QRSaveAsWMF(path.c_str()), -1);
    EXPECT_EQ(ReadFile(path)[0], 0xD7);
    EXPECT_EQ(QRSaveAsWMF((dir / "none" / "c.wmf").c_str()), 0);
    // A text that cannot be encoded still gives a metafile, holding no drawing.
    QRSetMessage(std::string(3000, 'a').c_str());
    EXPECT_EQ(QRSaveAsWMF(path.c_str()), -1);
    const auto records = WmfRecords(ReadFile(path), 22);
    EXPECT_EQ(records.count(0x061D), 0U);
    EXPECT_EQ(records.at(0x020C), 1);
}

TEST(QRSaveAsWMF, TextLongerThanTheRecordGivesTheMetafileWithoutADrawing) {
    qrtest::TempDir dir;
    const auto path = dir / "long.wmf";
    QRSetDefault();
    QRSetMessage(std::string(9000, '1').c_str());  // more than the record holds
    EXPECT_EQ(QRSaveAsWMF(path.c_str()), -1);
    const auto b = ReadFile(path);
    ASSERT_GT(b.size(), 22U);
    EXPECT_EQ(b[0], 0xD7);
    const auto records = WmfRecords(b, 22);
    EXPECT_EQ(records.count(0x061D), 0U);  // no background, no module
    EXPECT_EQ(records.at(0x020C), 1);
    QRSetMessage(std::string(3000, 'a').c_str());  // the same file as any text that cannot fit
    ASSERT_EQ(QRSaveAsWMF((dir / "unfit.wmf").c_str()), -1);
    EXPECT_EQ(ReadFile(dir / "unfit.wmf"), b);
}

std::vector<uint8_t> ClipboardBytes() {
    uint32_t size = 0;
    QRGetClipboardMetafile(nullptr, &size);
    std::vector<uint8_t> out(size);
    if (size > 0) QRGetClipboardMetafile(out.data(), &size);
    return out;
}

TEST(QRCopyToClipboard, PlacesAnEnhancedMetafileUnlessHeld) {
    QRSetDefault();
    QRSetMessage("CLIP");
    ASSERT_EQ(QRCopyToClipboard(), -1);
    const auto emf = ClipboardBytes();
    ASSERT_GT(emf.size(), 108U);
    EXPECT_EQ(Le32(emf, 0), 1U);            // header record
    EXPECT_EQ(Le32(emf, 40), 0x464D4520U);  // " EMF"
    EXPECT_EQ(Le32(emf, 48), emf.size());
    EXPECT_EQ(Le32(emf, 16), 499U);  // bounds: the background, inclusive
    EXPECT_EQ(Le32(emf, 20), 299U);
    int patterns = 0, records = 0;
    bool mapModeText = false;
    for (size_t pos = 0; pos + 8 <= emf.size(); pos += Le32(emf, pos + 4)) {
        ++records;
        if (Le32(emf, pos) == 76) ++patterns;
        if (Le32(emf, pos) == 17) mapModeText = Le32(emf, pos + 8) == 1;
        if (Le32(emf, pos) == 14) {
            EXPECT_EQ(pos + 20, emf.size());
        }
        if (Le32(emf, pos + 4) == 0) break;
    }
    EXPECT_EQ(static_cast<uint32_t>(records), Le32(emf, 52));
    EXPECT_EQ(patterns, DarkModules() + 1);
    EXPECT_TRUE(mapModeText);

    ASSERT_EQ(QRHoldClipboard(), -1);
    EXPECT_EQ(QRHoldClipboard(), 0);
    QRSetMessage("OTHER");
    EXPECT_EQ(QRCopyToClipboard(), 0);
    EXPECT_EQ(ClipboardBytes(), emf);  // the old content stays
    QRReleaseClipboard();
    EXPECT_EQ(QRCopyToClipboard(), -1);
    EXPECT_NE(ClipboardBytes(), emf);
}

}  // namespace
