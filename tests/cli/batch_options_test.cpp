#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "batch_options.h"

namespace {

using qrcli::BatchOptions;
using qrcli::ParseArguments;

BatchOptions Parsed(std::vector<std::string> args) {
    const auto parsed = ParseArguments(args, 3);
    if (const auto* usage = std::get_if<qrcli::UsageError>(&parsed)) {
        ADD_FAILURE() << usage->message;
        return {};
    }
    return std::get<BatchOptions>(parsed);
}

std::string UsageMessage(std::vector<std::string> args) {
    const auto parsed = ParseArguments(args, 3);
    const auto* usage = std::get_if<qrcli::UsageError>(&parsed);
    return usage ? usage->message : "(accepted)";
}

TEST(ParseArguments, DefaultsAreTheWindowsSettings) {
    const BatchOptions o = Parsed({"in.txt", "-o", "out"});
    EXPECT_EQ(o.input, "in.txt");
    EXPECT_EQ(o.outputFolder, "out");
    EXPECT_EQ(o.requestedVersion, 0);
    EXPECT_EQ(o.ecLevel, 0);
    EXPECT_EQ(o.maskSetting, 5);  // mask pattern 4
    EXPECT_EQ(o.width, 200);
    EXPECT_EQ(o.height, 200);
    EXPECT_DOUBLE_EQ(o.moduleCm, 0.2);
    EXPECT_EQ(o.dpi, 96);
    EXPECT_EQ(o.rotation, 1);
    EXPECT_EQ(o.frameStyle, 0);
    EXPECT_EQ(o.barColor, 0x000000U);
    EXPECT_EQ(o.backColor, 0xFFFFFFU);
    EXPECT_EQ(o.format, qrcli::ImageFormat::kBmp);
    EXPECT_EQ(o.jobs, 3);  // the cores
    EXPECT_FALSE(o.appNames || o.fit || o.verify);
    EXPECT_EQ(qrcli::ExtensionFor(o), ".bmp");
}

TEST(ParseArguments, EveryOptionInBothSpellings) {
    const BatchOptions o = Parsed({"--version", "7",        "--level=q",  "--mask",
                                   "auto",      "--size",   "300x150",    "--module-cm=0.1",
                                   "--dpi",     "300",      "--rotation", "3",
                                   "--frame=2", "--fg",     "#FF8000",    "--bg=102030",
                                   "--format",  "png",      "-j2",        "--verify",
                                   "-",         "-oout dir"});
    EXPECT_EQ(o.input, "-");
    EXPECT_EQ(o.outputFolder, "out dir");
    EXPECT_EQ(o.requestedVersion, 7);
    EXPECT_EQ(o.ecLevel, 2);
    EXPECT_EQ(o.maskSetting, 0);
    EXPECT_EQ(o.width, 300);
    EXPECT_EQ(o.height, 150);
    EXPECT_DOUBLE_EQ(o.moduleCm, 0.1);
    EXPECT_EQ(o.dpi, 300);
    EXPECT_EQ(o.rotation, 3);
    EXPECT_EQ(o.frameStyle, 2);
    EXPECT_EQ(o.barColor, 0x0080FFU);  // #RRGGBB kept as 0x00BBGGRR
    EXPECT_EQ(o.backColor, 0x302010U);
    EXPECT_EQ(o.format, qrcli::ImageFormat::kPng);
    EXPECT_EQ(o.jobs, 2);
    EXPECT_TRUE(o.verify);
    EXPECT_EQ(qrcli::ExtensionFor(o), ".png");
}

TEST(ParseArguments, MaskDigitsArePatterns) {
    EXPECT_EQ(Parsed({"a", "-o", "b", "--mask", "0"}).maskSetting, 1);
    EXPECT_EQ(Parsed({"a", "-o", "b", "--mask", "7"}).maskSetting, 8);
}

TEST(ParseArguments, AppNamesGiveTheWindowsJpgNames) {
    const BatchOptions o = Parsed(
        {"a", "-o", "b", "--app-names", "--version", "5", "--level", "H", "--size", "300x150"});
    EXPECT_TRUE(o.appNames);
    EXPECT_EQ(qrcli::ExtensionFor(o), ".jpg");
}

TEST(ParseArguments, UsageErrorsSayWhatIsWrong) {
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--colour", "red"}),
              "unknown option --colour (see --help)");
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--level", "X"}),
              "invalid value for --level: \"X\" (see --help)");
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--version", "41"}),
              "invalid value for --version: \"41\" (see --help)");
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--size", "0x10"}),
              "invalid value for --size: \"0x10\" (see --help)");
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--fg", "#12345"}),
              "invalid value for --fg: \"#12345\" (see --help)");
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--jobs"}), "--jobs needs a value (see --help)");
    EXPECT_EQ(UsageMessage({"a"}), "no output folder given (-o DIR) (see --help)");
    EXPECT_EQ(UsageMessage({"-o", "b"}),
              "no input file given (use - for standard input) (see --help)");
    EXPECT_EQ(UsageMessage({"a", "c", "-o", "b"}),
              "more than one input file given: \"c\" (see --help)");
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--dpi", "96", "--dpi", "72"}),
              "--dpi given twice (see --help)");
}

TEST(ParseArguments, AppNamesRefuseOptionsThatChangeTheFile) {
    for (const std::vector<std::string>& extra : {std::vector<std::string>{"--format", "png"},
                                                  {"--mask", "3"},
                                                  {"--rotation", "0"},
                                                  {"--fg", "#FF0000"},
                                                  {"--fit"},
                                                  {"--module-cm", "0.1"}}) {
        std::vector<std::string> args = {"a", "-o", "b", "--app-names"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(UsageMessage(args),
                  "--app-names writes the window's own files; it cannot be combined with " +
                      extra[0] + " (see --help)");
    }
}

TEST(ParseArguments, AModuleBelowOnePixelIsRefused) {
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--module-cm", "0.01"}),
              "a module of 0.01 cm at 96 dpi is smaller than one pixel (see --help)");
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "--fit", "--module-cm", "0.3"}),
              "--fit chooses the module size itself; leave out --module-cm (see --help)");
}

TEST(ParseArguments, HelpAndVersionInfo) {
    const auto help = ParseArguments({"a", "--help"}, 1);
    ASSERT_TRUE(std::holds_alternative<qrcli::ShowText>(help));
    const std::string& text = std::get<qrcli::ShowText>(help).text;
    EXPECT_EQ(text.rfind("Usage: qrbatch-cli", 0), 0U);
    EXPECT_NE(text.find("version 3 and\n                     above are larger than the image"),
              std::string::npos);
    const auto version = ParseArguments({"--version-info"}, 1);
    ASSERT_TRUE(std::holds_alternative<qrcli::ShowText>(version));
    EXPECT_EQ(std::get<qrcli::ShowText>(version).text.rfind("qrbatch-cli 1.0.0 (libpng 1.6", 0),
              0U);
}

}  // namespace
