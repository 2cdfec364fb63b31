// The symbols of the encoder's new choices, read back by zxing-cpp: linked symbols with their
// place, count and parity, the ECI designator, Kanji mode, and the --exact refusal. Micro QR
// files are read by zxing-cpp's own Python reader (cases_symbols.py).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "batch/symbol_reading.h"
#include "images/image_files.h"
#include "images/line_symbols.h"
#include "images/png_file.h"
#include "images/symbol_layout.h"
#include "options/batch_options.h"

namespace {

qrcli::BatchOptions OptionsFor(std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "code.png", "--scale", "4"});
    auto parsed = qrcli::ParseArguments(args, 1);
    if (auto* error = std::get_if<qrcli::UsageError>(&parsed)) ADD_FAILURE() << error->message;
    return std::get<qrcli::BatchOptions>(parsed);
}

struct Read {
    qrcli::LaidOutSymbol laid;
    qrcli::SymbolRead symbol;
};

// Every symbol of the text drawn as a PNG file, decoded, and read.
std::vector<Read> WrittenAndRead(const std::string& text, const qrcli::BatchOptions& options) {
    std::string reason;
    auto laid = qrcli::LayOutSymbols(text, options, reason);
    EXPECT_TRUE(laid) << reason;
    std::vector<Read> reads;
    for (auto& symbol : laid.value_or(std::vector<qrcli::LaidOutSymbol>{})) {
        const auto file = qrcli::ImageFileBytes(symbol, options, reason);
        const auto image = qrcli::DecodePng(file.value());
        const auto read = qrcli::ReadSymbol(image.value(), options.micro);
        EXPECT_TRUE(read) << text << " symbol " << symbol.part;
        reads.push_back({std::move(symbol), read.value_or(qrcli::SymbolRead{})});
    }
    return reads;
}

std::string AsText(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

struct LinkedCase {
    std::vector<std::string> args;
    std::string text;
    size_t symbols;
};

// The ECI designator too: read as such only where it was asked for.
TEST(LinkedSymbols, EachIsReadWithItsPlaceCountParityAndAnyEciDesignator) {
    const std::string address = "https://example.com/order/12345678901234567890?from=qr";
    const std::string long3000(3000, 'x');
    const std::vector<LinkedCase> cases = {
        {{"--split", "4"}, address, 4},
        {{"--split", "2", "-l", "M"}, "二维码 1234567890 联系人", 2},
        {{"--split", "auto", "-l", "H"}, long3000, 3},  // version 40-H holds 1273 bytes
        {{"--split", "auto"}, "short", 1},              // one symbol holds it: no header
        // Digits: more than 40-H holds as bytes, as numbers once in one symbol and once in two.
        {{"--split", "auto", "-l", "H"}, std::string(3000, '7'), 1},
        {{"--split", "auto", "-l", "H"}, std::string(3100, '7'), 2},
        {{"--split", "16", "--eci", "utf8"}, "sixteen linked symbols, one ECI each", 16},
        {{"--eci", "utf8", "-l", "H"}, "héllo wörld 中文", 1},
        {{}, "héllo wörld 中文", 1},
    };
    for (const LinkedCase& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--text", c.text});
        const auto options = OptionsFor(args);
        const auto reads = WrittenAndRead(c.text, options);
        ASSERT_EQ(reads.size(), c.symbols) << c.text;
        // Counted before drawing, for the files' names.
        EXPECT_EQ(qrcli::LinkedSymbolsOf(c.text, options), c.symbols == 1 ? 0 : c.symbols);
        uint8_t parity = 0;
        for (char ch : c.text) parity ^= static_cast<uint8_t>(ch);
        std::string joined;
        for (size_t i = 0; i < reads.size(); ++i) {
            const auto& read = reads[i].symbol;
            joined += AsText(read.bytes);
            EXPECT_EQ(read.hasEci, std::count(c.args.begin(), c.args.end(), "--eci") == 1);
            EXPECT_EQ(reads[i].laid.symbol.version, reads[0].laid.symbol.version);
            if (c.symbols == 1) {
                EXPECT_EQ(read.sequenceSize, -1) << c.text;
                continue;
            }
            EXPECT_EQ(read.sequenceIndex, static_cast<int>(i)) << c.text;
            EXPECT_EQ(read.sequenceSize, static_cast<int>(c.symbols)) << c.text;
            EXPECT_EQ(read.sequenceId, std::to_string(parity)) << c.text;
        }
        EXPECT_EQ(joined, c.text);
    }
}

TEST(LinkedSymbols, AUtf8CharacterIsNeverCutInTwo) {
    const std::string text = "中文中文中文中文";  // 24 bytes, 8 characters
    const auto reads = WrittenAndRead(text, OptionsFor({"--split", "5", "--text", text}));
    ASSERT_EQ(reads.size(), 5U);
    for (const auto& read : reads) EXPECT_EQ(read.symbol.bytes.size() % 3, 0U);
}

TEST(KanjiMode, ShiftJisTextIsReadBackWholeInASmallerSymbol) {
    std::string text;
    for (int i = 0; i < 20; ++i) text += "\x93\xfa\x96\x7b";  // 日本 in Shift JIS
    text += "2024";
    const auto kanji = WrittenAndRead(text, OptionsFor({"--kanji", "--text", text}));
    const auto bytes = WrittenAndRead(text, OptionsFor({"--text", text}));
    ASSERT_EQ(kanji.size(), 1U);
    ASSERT_EQ(bytes.size(), 1U);
    EXPECT_EQ(AsText(kanji[0].symbol.bytes), text);
    EXPECT_EQ(AsText(bytes[0].symbol.bytes), text);
    // 40 characters: 13 bits each in Kanji mode (version 4), 16 as bytes (version 5).
    EXPECT_EQ(kanji[0].laid.symbol.version, 4);
    EXPECT_EQ(bytes[0].laid.symbol.version, 5);
}

struct RefusedCase {
    std::vector<std::string> args;
    std::string text;
    std::string reason;
};

TEST(ExactVersion, ATextTheVersionCannotHoldFailsWithTheVersionThatWould) {
    const std::vector<RefusedCase> cases = {
        {{"--symversion", "2", "--exact"},
         std::string(100, 'x'),
         "the text (100 bytes, 812 bits in its shortest segments) does not fit version 2 at "
         "level L, which holds 272 bits, and --exact keeps that version (version 5 would hold "
         "it)"},
        {{"--micro", "--symversion", "M1", "--exact"},
         "AB",
         "the text (2 bytes) has characters Micro QR M1 has no mode for (M1 holds digits only, "
         "M2 digits and A-Z $%*+-./: and space)"},
        {{"--micro", "--symversion", "M2", "--exact", "-l", "M"},
         "123456789",
         "the text (9 bytes, 35 bits in its shortest segments) does not fit Micro QR M2 at level "
         "M, which holds 32 bits, and --exact keeps that version (Micro QR M3 would hold it)"},
        {{"--split", "3"}, "ab", "the text has fewer than 3 characters to share among 3 symbols"},
    };
    for (const RefusedCase& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--text", c.text});
        std::string reason;
        EXPECT_FALSE(qrcli::LayOutSymbols(c.text, OptionsFor(args), reason));
        EXPECT_EQ(reason, c.reason);
    }
    // Without --exact the same text grows to the version that holds it.
    std::string reason;
    const auto grown = qrcli::LayOutSymbols(
        std::string(100, 'x'), OptionsFor({"--symversion", "2", "--text", "x"}), reason);
    ASSERT_TRUE(grown);
    EXPECT_EQ(grown->front().symbol.version, 5);
}

}  // namespace
