// The formats and looks beyond the window's: transparency, EPS and PDF, the terminal's
// characters, turns by degrees, and BMP's 16 colours.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "batch/symbol_reading.h"
#include "cli_test_support.h"
#include "images/bmp_colours.h"
#include "images/image_files.h"
#include "images/symbol_layout.h"
#include "images/terminal_text.h"
#include "options/colours.h"

namespace {

qrcli::BatchOptions Options(qrcli::ImageFormat format) {
    auto options = clitest::DefaultOptions("unused");
    options.format = format;
    return options;
}

qrcli::LaidOutSymbol LayOut(const std::string& line, const qrcli::BatchOptions& options) {
    std::string reason;
    auto laid = qrcli::LayOutLine(line, options, reason);
    EXPECT_TRUE(laid) << reason;
    return std::move(*laid);
}

std::string FileText(const std::string& line, const qrcli::BatchOptions& options) {
    std::string reason;
    const auto bytes = qrcli::ImageFileBytes(LayOut(line, options), options, reason);
    EXPECT_TRUE(bytes) << reason;
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// The bytes of the first chunk of this type in a PNG file.
std::string PngChunk(const std::string& png, const std::string& type) {
    for (size_t at = 8; at + 8 <= png.size();) {
        const uint32_t length = (uint8_t(png[at]) << 24) | (uint8_t(png[at + 1]) << 16) |
                                (uint8_t(png[at + 2]) << 8) | uint8_t(png[at + 3]);
        if (png.substr(at + 4, 4) == type) return png.substr(at + 8, length);
        at += 12 + length;
    }
    return "(none)";
}

TEST(Transparency, PngKeepsEachColoursAlpha) {
    auto options = Options(qrcli::ImageFormat::kPng);
    options.backColor = qrcli::WithAlpha(0xFFFFFF, 0);
    options.barColor = qrcli::WithAlpha(0x332211, 0x80);
    const std::string png = FileText("see through", options);
    EXPECT_EQ(png[25], 3);  // palette
    EXPECT_EQ(PngChunk(png, "PLTE"), std::string("\xFF\xFF\xFF\x11\x22\x33", 6));
    EXPECT_EQ(PngChunk(png, "tRNS"), std::string("\x00\x80", 2));
    // Opaque colours need no tRNS chunk.
    options.backColor = 0xFFFFFF;
    options.barColor = 0x332211;
    EXPECT_EQ(PngChunk(FileText("opaque", options), "tRNS"), "(none)");
}

TEST(Transparency, SvgLeavesOutWhatCannotBeSeen) {
    auto options = Options(qrcli::ImageFormat::kSvg);
    options.backColor = qrcli::WithAlpha(0xFFFFFF, 0);
    options.barColor = qrcli::WithAlpha(0x000000, 0xC0);
    const std::string svg = FileText("svg", options);
    EXPECT_EQ(svg.find("#FFFFFF"), std::string::npos);
    EXPECT_NE(svg.find("<path fill=\"#000000\" fill-opacity=\"0.7529\" d=\"M"), std::string::npos);
    // As read on white paper, the symbol still decodes.
    const auto pixels = qrcli::DrawingAsPixels(LayOut("svg", options), options);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(qrcli::ReadQrBytes(*pixels), (std::vector<uint8_t>{'s', 'v', 'g'}));
}

TEST(VectorFiles, PdfHasAPageOfThePrintedSizeAndATrueCrossReference) {
    auto options = Options(qrcli::ImageFormat::kPdf);
    options.dpi = 144;  // 200 pixels: 100 points
    const std::string pdf = FileText("pdf", options);
    EXPECT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0U);
    EXPECT_NE(pdf.find("/MediaBox [0 0 100 100]"), std::string::npos);
    EXPECT_NE(pdf.find("0.5 0 0 -0.5 0 100 cm\n1 1 1 rg\n0 0 200 200 re\nf\n0 0 0 rg\n"),
              std::string::npos);
    const size_t startxref = pdf.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    const size_t xref = std::stoul(pdf.substr(startxref + 10));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    for (int object = 1; object <= 4; ++object) {
        const size_t offset = std::stoul(pdf.substr(xref + 9 + 20 * object, 10));
        const std::string opening = "\n" + std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(offset - 1, opening.size(), opening), 0) << object;
    }
    const size_t length = std::stoul(pdf.substr(pdf.find("/Length ") + 8));
    const size_t stream = pdf.find("stream\n") + 7;
    EXPECT_EQ(pdf.compare(stream + length, 9, "endstream"), 0);
}

TEST(VectorFiles, EpsHasItsBoundingBoxAndFillsTheModules) {
    auto options = Options(qrcli::ImageFormat::kEps);
    options.width = 201;           // 150.75 points at 96 dpi
    options.backColor = 0x0080FF;  // #FF8000
    const std::string eps = FileText("eps", options);
    EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0U);
    EXPECT_NE(eps.find("%%BoundingBox: 0 0 151 150\n"), std::string::npos);
    EXPECT_NE(eps.find("%%HiResBoundingBox: 0 0 150.75 150\n"), std::string::npos);
    EXPECT_NE(eps.find("1 0.502 0 setrgbcolor\n0 0 201 200 rectfill\n0 0 0 setrgbcolor\n"),
              std::string::npos);
    EXPECT_EQ(eps.substr(eps.size() - 24), "grestore\nshowpage\n%%EOF\n");
}

// The modules a terminal text shows, row by row, read back from its characters.
std::vector<std::string> ModulesOfHalfBlocks(const std::string& text) {
    std::vector<std::string> rows;
    size_t at = 0;
    while (at < text.size()) {
        std::string top, bottom;
        for (; text[at] != '\n'; ++at) {
            bool topLight = false, bottomLight = false;
            if (text.compare(at, 3, "\u2588") == 0) topLight = bottomLight = true;
            if (text.compare(at, 3, "\u2580") == 0) topLight = true;
            if (text.compare(at, 3, "\u2584") == 0) bottomLight = true;
            if (text[at] != ' ') at += 2;
            top += topLight ? '.' : '#';
            bottom += bottomLight ? '.' : '#';
        }
        ++at;
        rows.push_back(top);
        rows.push_back(bottom);
    }
    return rows;
}

std::vector<std::string> ModulesOfColours(const std::string& text, const std::string& dark,
                                          const std::string& light) {
    std::vector<std::string> rows(1);
    bool isDark = false;
    for (size_t at = 0; at < text.size();) {
        if (text.compare(at, dark.size(), dark) == 0) {
            isDark = true;
            at += dark.size();
        } else if (text.compare(at, light.size(), light) == 0) {
            isDark = false;
            at += light.size();
        } else if (text.compare(at, 2, "  ") == 0) {
            rows.back() += isDark ? '#' : '.';
            at += 2;
        } else if (text.compare(at, 5, "\033[0m\n") == 0) {
            rows.emplace_back();
            at += 5;
        } else {
            ADD_FAILURE() << "unexpected byte at " << at;
            break;
        }
    }
    rows.pop_back();
    return rows;
}

// The symbol with its quiet zone as the terminal should show it.
std::vector<std::string> Expected(const qr::ModuleMatrix& matrix, int rotation, int border) {
    const int side = matrix.side + 2 * border;
    std::vector<std::string> rows(static_cast<size_t>(side), std::string(side, '.'));
    for (int r = 0; r < matrix.side; ++r) {
        for (int c = 0; c < matrix.side; ++c) {
            if (qrcli::DarkAt(matrix, rotation, r, c)) rows[r + border][c + border] = '#';
        }
    }
    return rows;
}

TEST(TerminalText, HalfBlocksShowEveryModuleWithItsQuietZone) {
    auto options = Options(qrcli::ImageFormat::kUtf8);
    options.modulePixels = 1;
    options.imageFollowsSymbol = true;
    options.border = 2;
    const auto laid = LayOut("terminal", options);
    auto shown = ModulesOfHalfBlocks(qrcli::TerminalText(laid.symbol.matrix, options));
    auto expected = Expected(laid.symbol.matrix, options.rotation, options.border);
    ASSERT_EQ(shown.size(), expected.size() + 1);  // 25 rows: the last half is empty
    EXPECT_EQ(shown.back(), std::string(expected.size(), '#'));
    shown.pop_back();
    EXPECT_EQ(shown, expected);
    // What a reader makes of it.
    const auto pixels = qrcli::DrawingAsPixels(laid, options);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(qrcli::ReadQrBytes(*pixels).value_or(std::vector<uint8_t>{}).size(), 8U);
}

TEST(TerminalText, AnsiColoursAreStandardOrTheRunsOwn) {
    auto options = Options(qrcli::ImageFormat::kAnsi);
    options.rotation = 0;
    const auto laid = LayOut("ansi", options);
    const auto expected = Expected(laid.symbol.matrix, 0, 4);
    EXPECT_EQ(
        ModulesOfColours(qrcli::TerminalText(laid.symbol.matrix, options), "\033[40m", "\033[47m"),
        expected);
    options.barColor = 0x800000;   // #000080
    options.backColor = 0xC0FFFF;  // #FFFFC0
    EXPECT_EQ(ModulesOfColours(qrcli::TerminalText(laid.symbol.matrix, options),
                               "\033[48;2;0;0;128m", "\033[48;2;255;255;192m"),
              expected);
}

TEST(Rotate, DegreesTurnTheSymbolClockwise) {
    auto options = Options(qrcli::ImageFormat::kPng);
    options.modulePixels = 1;
    options.imageFollowsSymbol = true;
    options.border = 0;
    const auto upright = LayOut("turn me", options);
    const auto& m = upright.symbol.matrix;
    const int last = m.side - 1;
    // Where the module at (row, column) of the upright symbol lands after the turn.
    const std::vector<std::pair<int, std::function<std::pair<int, int>(int, int)>>> turns = {
        {1,
         [](int r, int c) {
             return std::pair{r, c};
         }},
        {0,
         [&](int r, int c) {
             return std::pair{c, last - r};
         }},  // 90
        {3,
         [&](int r, int c) {
             return std::pair{last - r, last - c};
         }},  // 180
        {2,
         [&](int r, int c) {
             return std::pair{last - c, r};
         }},  // 270
    };
    for (const auto& [code, land] : turns) {
        options.rotation = code;
        const auto pixels = qrcli::DrawingAsPixels(LayOut("turn me", options), options);
        ASSERT_TRUE(pixels);
        int wrong = 0;
        for (int r = 0; r < m.side; ++r) {
            for (int c = 0; c < m.side; ++c) {
                const auto [y, x] = land(r, c);
                const bool dark = pixels->pixels[static_cast<size_t>(y * m.side + x)] < 128;
                wrong += dark != (m.Module(r, c) != 0);
            }
        }
        EXPECT_EQ(wrong, 0) << "code " << code;
    }
}

TEST(BmpColours, ColoursOutsideTheSixteenAreAnnounced) {
    auto options = Options(qrcli::ImageFormat::kBmp);
    EXPECT_EQ(qrcli::BmpColourNotice(options), std::nullopt);
    options.barColor = 0x0000FF;  // #FF0000 is one of the sixteen
    EXPECT_EQ(qrcli::BmpColourNotice(options), std::nullopt);
    options.barColor = 0x663300;   // #003366
    options.backColor = 0xE0F0FF;  // #FFF0E0
    EXPECT_EQ(qrcli::BmpColourNotice(options),
              "a BMP file holds the 16 standard colours only: --fg #003366 is written as "
              "#000080, --bg #FFF0E0 is written as #FFFFFF");
    options.format = qrcli::ImageFormat::kPng;
    EXPECT_EQ(qrcli::BmpColourNotice(options), std::nullopt);
}

}  // namespace
