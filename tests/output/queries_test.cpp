#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <iterator>
#include <string>

#include "qrcodewin32.h"
#include "qrdevice.h"
#include "settings_record.h"
#include "test_support.h"

namespace {

TEST(QRGetActualRC, SideOfTheCurrentSymbolOrZero) {
    QRSetDefault();
    int16_t rows = -1, columns = -1;
    QRGetActualRC(&rows, &columns);
    EXPECT_EQ(rows, 21);
    EXPECT_EQ(columns, 21);
    QRConfigure(40, 0, 0);
    QRGetActualRC(&rows, &columns);
    EXPECT_EQ(rows, 177);
    QRConfigure(0, 3, 0);
    const std::string tooLong(1274, 'a');
    QRSetMessage(tooLong.c_str());
    QRGetActualRC(&rows, &columns);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(columns, 0);
}

TEST(QRGetActualSize, ScreenOrGivenContextAndTheRotationsAxis) {
    QRSetDefault();
    int32_t w = -1, h = -1;
    QRGetActualSize(-1, nullptr, &w, &h);
    EXPECT_EQ(w, 63);
    EXPECT_EQ(h, 63);

    qrtest::MemoryDC dc(10, 10, 300, 72);  // 8 pixels across, 2 down per 0.07 cm
    QRGetActualSize(0, dc.get(), &w, &h);
    EXPECT_EQ(w, 42);  // rotation 0 measures with the vertical resolution
    QRAppearance(0.07, 1, 0);
    QRGetActualSize(1, dc.get(), &w, &h);
    EXPECT_EQ(w, 168);
    EXPECT_EQ(h, 168);
    // The caller's context is still usable: it was not released.
    EXPECT_EQ(dc.Pixel(0, 0), 0U);

    QRSetMessage(std::string(3000, 'a').c_str());
    QRGetActualSize(-1, nullptr, &w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
}

TEST(QRGetPatternData, SizeProtocolAndLayout) {
    QRSetDefault();
    uint32_t size = 0;
    int16_t rows = 0, columns = 0;
    EXPECT_EQ(QRGetPatternData(nullptr, &size, &rows, &columns), 0);
    EXPECT_EQ(size, 441U);
    EXPECT_EQ(rows, 21);
    EXPECT_EQ(columns, 21);

    std::string buffer(442, '#');
    rows = columns = 0;
    EXPECT_EQ(QRGetPatternData(buffer.data(), &size, &rows, &columns), -1);
    EXPECT_EQ(size, 441U);
    EXPECT_EQ(rows, 0);           // left as they were
    EXPECT_EQ(buffer[441], '#');  // no terminator
    EXPECT_EQ(buffer[0], '1');
    EXPECT_EQ(buffer.find_first_not_of("01"), 441U);
    // Rotation 0 picture: finders top left, top right, bottom right; bottom left is the
    // encoding region, so the 7 x 7 finder corner patterns appear at three corners only.
    auto at = [&](int r, int c) { return buffer[static_cast<size_t>(r * 21 + c)]; };
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(at(0, k), '1');
        EXPECT_EQ(at(0, 20 - k), '1');
        EXPECT_EQ(at(20, 20 - k), '1');
    }
    EXPECT_EQ(at(1, 1), '0');
    EXPECT_EQ(at(19, 19), '0');

    // The current rotation does not change the data.
    const std::string upright = qrtest::Pattern();
    QRAppearance(0.07, 2, 0);
    EXPECT_EQ(qrtest::Pattern(), upright);

    QRSetMessage(std::string(2954, 'a').c_str());
    size = 99;
    rows = columns = 5;
    EXPECT_EQ(QRGetPatternData(buffer.data(), &size, &rows, &columns), -1);
    EXPECT_EQ(size, 0U);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(columns, 0);
}

TEST(Queries, MissingOutPointersAreSkipped) {
    QRSetDefault();
    QRGetActualRC(nullptr, nullptr);
    QRGetActualSize(-1, nullptr, nullptr, nullptr);
    EXPECT_EQ(QRGetPatternData(nullptr, nullptr, nullptr, nullptr), 0);
    uint32_t size = 441;  // room claimed, but no buffer: the size is reported instead
    EXPECT_EQ(QRGetPatternData(nullptr, &size, nullptr, nullptr), 0);
    EXPECT_EQ(size, 441U);
    QRRender(nullptr, 0, 0);  // no device context: nothing to draw on
}

TEST(QRGetPatternData, MaskInUseIsReported) {
    QRSetDefault();
    QRConfigure(0, 1, 3);
    qrtest::Pattern();
    EXPECT_EQ(qrlib::Settings().maskInUse, 2);
    EXPECT_EQ(qrlib::Settings().versionInUse, 1);
    EXPECT_EQ(qrlib::Settings().symbolSide, 21);
    QRSetDefault();
    EXPECT_EQ(qrlib::Settings().maskInUse, 0);
}

// The last symbol is kept for the next query or output; whatever changes an input of the
// encoder, through a setter or in the record itself, is seen by the very next call.
TEST(Queries, KeptSymbolFollowsEveryChangeOfTheEncodersInputs) {
    const std::function<void()> changes[] = {
        [] { QRSetMessage("other"); },
        [] { QRConfigure(5, 0, 0); },  // version
        [] { QRConfigure(0, 3, 0); },  // level
        [] { QRConfigure(0, 0, 8); },  // mask
        [] { QRSetDefault(); },
        [] { std::memcpy(qrlib::Settings().message, "kepT", 4); },  // no setter at all
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        QRSetDefault();
        QRSetMessage("kept");
        const std::string kept = qrtest::Pattern();
        changes[i]();
        const std::string changed = qrtest::Pattern();
        EXPECT_NE(changed, kept);
        QRSetSize(500, 300);  // a setter: the next call encodes afresh
        EXPECT_EQ(qrtest::Pattern(), changed);
    }
}

}  // namespace
