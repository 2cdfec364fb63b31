#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_test_support.h"
#include "images/bmp_reading.h"
#include "images/image_files.h"
#include "images/png_file.h"
#include "images/symbol_layout.h"
#include "qrcodewin32.h"

namespace {

qrcli::LaidOutSymbol LayOut(const std::string& line, const qrcli::BatchOptions& options) {
    std::string reason;
    auto laid = qrcli::LayOutLine(line, options, reason);
    EXPECT_TRUE(laid) << reason;
    return std::move(*laid);
}

std::vector<uint8_t> FileOf(const std::string& line, const qrcli::BatchOptions& options) {
    std::string reason;
    auto bytes = qrcli::ImageFileBytes(LayOut(line, options), options, reason);
    EXPECT_TRUE(bytes) << reason;
    return bytes.value_or(std::vector<uint8_t>{});
}

qrcli::BatchOptions Options(qrcli::ImageFormat format) {
    auto options = clitest::DefaultOptions("unused");
    options.format = format;
    return options;
}

TEST(PngFile, BlackOnWhiteIsOneBitGreyWithThePixelsOfTheBmp) {
    const auto png = FileOf("png pixels", Options(qrcli::ImageFormat::kPng));
    ASSERT_GT(png.size(), 33U);
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(png[24], 1);  // bit depth
    EXPECT_EQ(png[25], 0);  // grey
    const auto fromPng = qrcli::DecodePng(png);
    const auto fromBmp = qrcli::DecodeBmp(FileOf("png pixels", Options(qrcli::ImageFormat::kBmp)));
    ASSERT_TRUE(fromPng && fromBmp);
    EXPECT_EQ(fromPng->width, 200);
    EXPECT_EQ(fromPng->height, 200);
    EXPECT_EQ(fromPng->pixels, fromBmp->pixels);
}

TEST(PngFile, OtherColoursAreAPaletteOfExactlyThoseColours) {
    auto options = Options(qrcli::ImageFormat::kPng);
    options.barColor = 0x663300;   // #003366
    options.backColor = 0xCCEEFF;  // #FFEECC
    const auto png = FileOf("colours", options);
    EXPECT_EQ(png[24], 1);  // two colours: one bit
    EXPECT_EQ(png[25], 3);  // palette
    const auto plte = std::search(png.begin(), png.end(), std::begin("PLTE"), std::end("PLTE") - 1);
    ASSERT_NE(plte, png.end());
    EXPECT_EQ(std::vector<uint8_t>(plte + 4, plte + 10),
              (std::vector<uint8_t>{0xFF, 0xEE, 0xCC, 0x00, 0x33, 0x66}));
    options.frameStyle = 2;  // the frame's black pen makes a third colour
    EXPECT_EQ(FileOf("colours", options)[24], 2);
}

TEST(SvgFile, OnePathForTheModulesAndCrispEdges) {
    const auto svg = FileOf("svg", Options(qrcli::ImageFormat::kSvg));
    const std::string text(svg.begin(), svg.end());
    EXPECT_NE(text.find("shape-rendering=\"crispEdges\""), std::string::npos);
    EXPECT_NE(text.find("width=\"200\" height=\"200\" viewBox=\"0 0 200 200\""), std::string::npos);
    EXPECT_NE(text.find("<path fill=\"#FFFFFF\" d=\"M0 0h200v200h-200z\"/>"), std::string::npos);
    size_t paths = 0;
    for (size_t at = text.find("<path"); at != std::string::npos; at = text.find("<path", at + 1)) {
        ++paths;
    }
    EXPECT_EQ(paths, 2U);
}

TEST(WmfFile, SameBytesAsTheLibrarysExportForTheSameSettings) {
    clitest::TempDir dir;
    auto options = clitest::WindowOptions(dir.path());
    options.format = qrcli::ImageFormat::kWmf;
    options.frameStyle = 1;
    options.width = 260;
    options.height = 240;
    const auto cli = FileOf("metafile", options);

    QRSetDefault();
    QRConfigure(0, 0, 5);
    QRAppearance(0.2, 1, 1);
    QRSetSize(260, 240);
    QRSetMessage("metafile");
    const auto path = dir / "library.wmf";
    ASSERT_EQ(QRSaveAsWMF(path.c_str()), -1);
    EXPECT_EQ(cli, clitest::ReadFile(path));
}

TEST(FitModuleSize, TheLargestModuleThatLeavesAQuietZone) {
    auto options = Options(qrcli::ImageFormat::kBmp);
    // Version 1: 21 + 8 modules; 200 / 29 = 6 pixels.
    EXPECT_EQ(LayOut("fit", options).look.modulePixels, 6);
    options.requestedVersion = 40;  // 177 + 8 = 185 modules: one pixel
    EXPECT_EQ(LayOut("fit", options).look.modulePixels, 1);
    options.height = 100;  // the smaller side counts
    options.requestedVersion = 1;
    EXPECT_EQ(LayOut("fit", options).look.modulePixels, 3);
    options.border = 0;  // 100 / 21
    EXPECT_EQ(LayOut("fit", options).look.modulePixels, 4);
}

TEST(ScaleAndBorder, TheImageIsTheSymbolAndItsQuietZone) {
    auto options = Options(qrcli::ImageFormat::kPng);
    options.modulePixels = 3;
    options.imageFollowsSymbol = true;
    options.border = 2;
    const auto png = qrcli::DecodePng(FileOf("scaled", options));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, (21 + 4) * 3);
    EXPECT_EQ(png->height, (21 + 4) * 3);
    // The finder pattern's corner starts right after the quiet zone.
    EXPECT_EQ(png->pixels[5 * png->width + 5], 255);
    EXPECT_EQ(png->pixels[6 * png->width + 6], 0);
    options.modulePixels = 100;
    options.requestedVersion = 40;
    std::string reason;
    EXPECT_FALSE(qrcli::LayOutLine("x", options, reason));
    EXPECT_EQ(reason,
              "version 40 (177 modules and a quiet zone of 2) at 100 pixels per module needs "
              "18100x18100 pixels, more than the largest image, 16384x16384");
}

}  // namespace
