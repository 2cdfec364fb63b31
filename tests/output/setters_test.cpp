#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "qrcodewin32.h"
#include "settings_record.h"

namespace {

using qrlib::Settings;

TEST(QRSetDefault, FillsEveryFieldWithItsDefault) {
    std::memset(&Settings(), 0x5A, sizeof(qrlib::QRSettings));
    QRSetDefault();
    const auto& s = Settings();
    EXPECT_EQ(s.width, 500);
    EXPECT_EQ(s.height, 300);
    EXPECT_STREQ(s.message, "12");
    EXPECT_EQ(s.requestedVersion, 0);
    EXPECT_EQ(s.ecLevel, 0);
    EXPECT_EQ(s.maskSetting, 0);
    EXPECT_EQ(s.maskInUse, 0);
    EXPECT_EQ(s.moduleSizeCm, 0.07F);
    EXPECT_EQ(s.rotation, 0);
    EXPECT_EQ(s.frameStyle, 0);
    EXPECT_EQ(s.backColor, 0x00FFFFFFU);
    EXPECT_EQ(s.barColor, 0U);
    EXPECT_EQ(s.backDepth, 1);
    EXPECT_EQ(s.barDepth, 1);
}

TEST(QRSetSize, ZeroSelectsTheFieldsDefault) {
    QRSetSize(0, 0);
    EXPECT_EQ(Settings().width, 500);
    EXPECT_EQ(Settings().height, 300);
    QRSetSize(200, 0);
    EXPECT_EQ(Settings().width, 200);
    EXPECT_EQ(Settings().height, 300);
    QRSetSize(-5, 7);
    EXPECT_EQ(Settings().width, -5);
    EXPECT_EQ(Settings().height, 7);
}

TEST(QRConfigure, UnsignedLow16BitLimits) {
    QRConfigure(41, 4, 9);
    EXPECT_EQ(Settings().requestedVersion, 0);
    EXPECT_EQ(Settings().ecLevel, 0);
    EXPECT_EQ(Settings().maskSetting, 0);
    QRConfigure(-1, 3, 8);
    EXPECT_EQ(Settings().requestedVersion, 0);
    EXPECT_EQ(Settings().ecLevel, 3);
    EXPECT_EQ(Settings().maskSetting, 8);
    QRConfigure(40, 3, 8);
    EXPECT_EQ(Settings().requestedVersion, 40);
    EXPECT_EQ(Settings().ecLevel, 3);
    EXPECT_EQ(Settings().maskSetting, 8);
}

TEST(QRAppearance, ModuleSizeRotationAndFrame) {
    QRAppearance(0.0, 3, 2);
    EXPECT_EQ(Settings().moduleSizeCm, 0.07F);
    EXPECT_EQ(Settings().rotation, 3);
    EXPECT_EQ(Settings().frameStyle, 2);
    QRAppearance(-1.0, 4, 3);
    EXPECT_EQ(Settings().moduleSizeCm, 0.07F);
    EXPECT_EQ(Settings().rotation, 0);
    EXPECT_EQ(Settings().frameStyle, 0);
    QRAppearance(0.1, 1, 1);
    EXPECT_EQ(Settings().moduleSizeCm, 0.1F);
    EXPECT_EQ(Settings().rotation, 1);
    EXPECT_EQ(Settings().frameStyle, 1);
    QRAppearance(std::numeric_limits<double>::quiet_NaN(), -1, -1);
    EXPECT_EQ(Settings().moduleSizeCm, 0.07F);
    EXPECT_EQ(Settings().rotation, 0);
    EXPECT_EQ(Settings().frameStyle, 0);
}

TEST(Colours, ComponentsAbove255BecomeZeroAndDepthsFollow) {
    QRSetBackColor(255, 255, 255);
    EXPECT_EQ(Settings().backColor, 0x00FFFFFFU);
    EXPECT_EQ(Settings().backDepth, 1);
    QRSetBackColor(255, 255, 256);
    EXPECT_EQ(Settings().backColor, 0x0000FFFFU);
    EXPECT_EQ(Settings().backDepth, 4);
    QRSetBackColor(18, 52, 86);
    EXPECT_EQ(Settings().backColor, 0x00563412U);
    QRSetBarColor(0, 0, 0);
    EXPECT_EQ(Settings().barDepth, 1);
    QRSetBarColor(256, 0, 0);
    EXPECT_EQ(Settings().barColor, 0U);
    EXPECT_EQ(Settings().barDepth, 1);
    QRSetBarColor(0, 0, 1);
    EXPECT_EQ(Settings().barColor, 0x00010000U);
    EXPECT_EQ(Settings().barDepth, 4);
    QRSetBarColor(-1, 0, 0);  // 65535: above 255
    EXPECT_EQ(Settings().barColor, 0U);
}

TEST(QRSetMessage, CopiesUpToTheRecordsCapacity) {
    QRSetMessage("hello");
    EXPECT_STREQ(Settings().message, "hello");
    const std::string longText(9000, 'x');
    QRSetMessage(longText.c_str());
    EXPECT_EQ(std::strlen(Settings().message), 7999U);
    QRSetMessage(nullptr);
    EXPECT_STREQ(Settings().message, "");
}

TEST(ModulePixels, TruncatedAndRaisedAboveHalf) {
    EXPECT_EQ(qrlib::ModulePixelsFor(96, 0.07F), 3);
    EXPECT_EQ(qrlib::ModulePixelsFor(120, 0.07F), 3);
    EXPECT_EQ(qrlib::ModulePixelsFor(72, 0.07F), 2);
    EXPECT_EQ(qrlib::ModulePixelsFor(300, 0.07F), 8);
    EXPECT_EQ(qrlib::ModulePixelsFor(96, 0.2F), 8);
    EXPECT_EQ(qrlib::ModulePixelsFor(0, 0.2F), 0);
    EXPECT_EQ(qrlib::ModulePixelsFor(96, std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(qrlib::ModulePixelsFor(96, 1e30F), 0);
    // 2.54 cm at 1 dot per inch is one dot, whatever the rounding of the float.
    EXPECT_EQ(qrlib::ModulePixelsFor(1, 2.54F), 1);
}

}  // namespace
