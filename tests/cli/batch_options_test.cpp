#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "options/batch_options.h"
#include "options/colours.h"
#include "options/help_text.h"

namespace {

using Args = std::vector<std::string>;
using qrcli::BatchOptions;
using qrcli::ImageFormat;
using qrcli::OutputKind;
using qrcli::ParseArguments;

BatchOptions Parsed(const Args& args) {
    const auto parsed = ParseArguments(args, 3);
    if (const auto* usage = std::get_if<qrcli::UsageError>(&parsed)) {
        ADD_FAILURE() << usage->message;
        return {};
    }
    return std::get<BatchOptions>(parsed);
}

std::string UsageMessage(const Args& args) {
    const auto parsed = ParseArguments(args, 3);
    const auto* usage = std::get_if<qrcli::UsageError>(&parsed);
    return usage ? usage->message : "(accepted)";
}

std::string Shown(const Args& args) {
    const auto parsed = ParseArguments(args, 1);
    const auto* text = std::get_if<qrcli::ShowText>(&parsed);
    return text ? text->text : "(not shown)";
}

TEST(ParseArguments, DefaultsAreWhatQrToolsGive) {
    const BatchOptions o = Parsed({"in.txt", "-o", "out"});
    EXPECT_EQ(o.input, "in.txt");
    EXPECT_EQ(o.output, "out");
    EXPECT_EQ(o.outputKind, OutputKind::kFolder);
    EXPECT_EQ(o.format, ImageFormat::kPng);
    EXPECT_EQ(o.maskSetting, 0);   // automatic
    EXPECT_EQ(o.modulePixels, 0);  // follows the image
    EXPECT_FALSE(o.imageFollowsSymbol);
    EXPECT_EQ(o.border, 4);
    EXPECT_EQ(o.width, 200);
    EXPECT_EQ(o.height, 200);
    EXPECT_EQ(o.rotation, 1);
    EXPECT_EQ(o.naming, qrcli::Naming::kLine);
    EXPECT_EQ(o.jobs, 3);  // the cores
    EXPECT_FALSE(o.appNames || o.verify || o.quiet || o.makeFolder);
    EXPECT_EQ(qrcli::ExtensionFor(o), ".png");
}

TEST(ParseArguments, AppNamesKeepTheWindowsSettings) {
    const BatchOptions o = Parsed(
        {"a", "-o", "b", "--app-names", "--symversion", "5", "--level", "H", "--size", "300x150"});
    EXPECT_TRUE(o.appNames);
    EXPECT_EQ(o.format, ImageFormat::kBmp);
    EXPECT_EQ(o.maskSetting, 5);   // pattern 4
    EXPECT_EQ(o.modulePixels, 8);  // 0.2 cm at 96 dpi
    EXPECT_FALSE(o.imageFollowsSymbol);
    EXPECT_EQ(o.requestedVersion, 5);
    EXPECT_EQ(o.ecLevel, 3);
    EXPECT_EQ(o.width, 300);
    EXPECT_EQ(o.height, 150);
    EXPECT_EQ(qrcli::ExtensionFor(o), ".jpg");
}

TEST(ParseArguments, EveryOptionInItsSpellings) {
    const BatchOptions o = Parsed({"-v",          "7",
                                   "--level=q",   "--mask",
                                   "3",           "--size",
                                   "300x150",     "-s4",
                                   "--border",    "2",
                                   "--dpi=300",   "--rotate",
                                   "270",         "--frame=2",
                                   "--fg",        "#FF8000",
                                   "--bg=102030", "-t",
                                   "SVG",         "-j2",
                                   "--verify",    "-q",
                                   "--mkdir",     "--name",
                                   "safe",        "--input-format",
                                   "tsv",         "-",
                                   "-oout dir"});
    EXPECT_EQ(o.input, "-");
    EXPECT_EQ(o.output, "out dir");
    EXPECT_EQ(o.requestedVersion, 7);
    EXPECT_EQ(o.ecLevel, 2);
    EXPECT_EQ(o.maskSetting, 4);
    EXPECT_EQ(o.width, 300);
    EXPECT_EQ(o.height, 150);
    EXPECT_EQ(o.modulePixels, 4);
    EXPECT_FALSE(o.imageFollowsSymbol);  // --size holds the image
    EXPECT_EQ(o.border, 2);
    EXPECT_EQ(o.dpi, 300);
    EXPECT_EQ(o.rotation, 2);  // a quarter counter-clockwise in the library's code
    EXPECT_EQ(o.frameStyle, 2);
    EXPECT_EQ(o.barColor, 0x0080FFU);  // #RRGGBB kept as 0x00BBGGRR
    EXPECT_EQ(o.backColor, 0x302010U);
    EXPECT_EQ(o.format, ImageFormat::kSvg);
    EXPECT_EQ(o.jobs, 2);
    EXPECT_TRUE(o.verify && o.quiet && o.makeFolder);
    EXPECT_EQ(o.naming, qrcli::Naming::kSafe);
    EXPECT_EQ(o.inputFormat, qrcli::InputFormat::kTsv);
}

TEST(ParseArguments, ScaleOrModuleSizeFixTheModule) {
    const BatchOptions scaled = Parsed({"a", "-o", "b", "--scale", "3", "-m", "0"});
    EXPECT_EQ(scaled.modulePixels, 3);
    EXPECT_TRUE(scaled.imageFollowsSymbol);
    EXPECT_EQ(scaled.border, 0);
    const BatchOptions printed = Parsed({"a", "-o", "b", "--module-cm", "0.1", "--dpi", "300"});
    EXPECT_EQ(printed.modulePixels, 12);  // 0.1 cm at 300 dpi
    EXPECT_TRUE(printed.imageFollowsSymbol);
    for (const char* degrees : {"0", "90", "180", "270"}) {
        static const std::vector<int> kCodes = {1, 0, 3, 2};
        EXPECT_EQ(Parsed({"a", "-o", "b", "--rotate", degrees}).rotation,
                  kCodes[std::stoi(degrees) / 90]);
    }
}

TEST(ParseArguments, ColoursTakeTransparencyForPngAndSvg) {
    const BatchOptions o = Parsed({"a", "-o", "b", "--fg", "#11223380", "--bg", "transparent"});
    EXPECT_EQ(qrcli::AlphaOf(o.barColor), 0x80);
    EXPECT_EQ(qrcli::OpaquePart(o.barColor), 0x332211U);
    EXPECT_EQ(qrcli::AlphaOf(o.backColor), 0);
    EXPECT_EQ(qrcli::ColourText(o.barColor), "#11223380");
    EXPECT_EQ(Parsed({"a", "-o", "b", "--fg", "#112233FF"}).barColor, 0x332211U);  // opaque
    EXPECT_EQ(UsageMessage({"a", "-o", "b", "-t", "pdf", "--bg", "transparent"}),
              "--bg: transparency is for png and svg; pdf has none (see --help)");
}

TEST(ParseArguments, OneTextGoesToAFileOrStandardOutput) {
    const BatchOptions file = Parsed({"--text", "hi", "-o", "dir/code.svg"});
    EXPECT_EQ(file.outputKind, OutputKind::kFile);
    EXPECT_EQ(file.format, ImageFormat::kSvg);  // from the name
    EXPECT_EQ(file.texts, (std::vector<std::string>{"hi"}));
    EXPECT_EQ(Parsed({"--text", "hi", "-o", "code.pdf", "-t", "png"}).format, ImageFormat::kPng);
    EXPECT_EQ(Parsed({"--text", "hi", "-o", "code.unknown"}).format, ImageFormat::kPng);

    const BatchOptions piped = Parsed({"--text", "hi", "-o", "-"});
    EXPECT_EQ(piped.outputKind, OutputKind::kStandardOutput);
    EXPECT_EQ(piped.jobs, 1);
    EXPECT_EQ(Parsed({"--text", "hi", "-t", "utf8"}).outputKind, OutputKind::kStandardOutput);
    EXPECT_EQ(Parsed({"list.txt", "-t", "ansi"}).outputKind, OutputKind::kStandardOutput);

    const BatchOptions several = Parsed({"--text", "a", "--text", "b", "-o", "dir"});
    EXPECT_EQ(several.outputKind, OutputKind::kFolder);
    EXPECT_EQ(several.texts, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Parsed({"-o", "x", "--", "-name-"}).input, "-name-");
    EXPECT_EQ(UsageMessage({"--", "-name-", "-o", "x"}),
              "more than one input file given: \"-o\" (see --help)");
}

TEST(ParseArguments, BadValuesSayTheFormExpected) {
    const std::vector<std::pair<Args, std::string>> cases = {
        {{"--size", "200"}, "--size: \"200\": expected WxH, e.g. 200x200"},
        {{"--size", "0x10"}, "--size: \"0x10\": expected each side from 1 to 16384"},
        {{"--level", "X"}, "--level: \"X\": expected L, M, Q or H"},
        {{"-v", "41"},
         "--symversion: \"41\": expected a version from 1 to 40 (M1 to M4 with --micro), or 0 "
         "to choose"},
        {{"--mask", "8"}, "--mask: \"8\": expected auto or a pattern from 0 to 7"},
        {{"--fg", "#12345"}, "--fg: \"#12345\": expected #RRGGBB, #RRGGBBAA or transparent"},
        {{"--format", "jpg"},
         "--format: \"jpg\": expected png, svg, eps, pdf, bmp, wmf, utf8 or ansi"},
        {{"--rotate", "45"}, "--rotate: \"45\": expected 0, 90, 180 or 270"},
        {{"--scale", "0"}, "--scale: \"0\": expected pixels per module, from 1 to 16384"},
        {{"--border", "-1"}, "--border: \"-1\": expected modules, from 0 to 100"},
        {{"--name", "hash"}, "--name: \"hash\": expected line, safe or index"},
        {{"--name-format", "a%s"}, "--name-format: \"a%s\": expected one %d, e.g. code-%05d"},
        {{"--input-format", "ods"}, "--input-format: \"ods\": expected lines, tsv, csv or xlsx"},
        {{"--payload", "sms"}, "--payload: \"sms\": expected wifi, vcard, mecard or text"},
        {{"--input-encoding", "latin1"},
         "--input-encoding: \"latin1\": expected utf-8, gbk or gb18030"},
        {{"--input-format", "csv", "--column", "0"},
         "--column: \"0\": expected a column's name in the header or its number from 1"},
        {{"--module-cm", "big"}, "--module-cm: \"big\": expected centimetres, e.g. 0.2"},
        {{"-j", "0"}, "--jobs: \"0\": expected a number from 1 to 256"},
        {{"--archive", "7z"}, "--archive: \"7z\": expected zip or tar"},
        {{"--shard", "4/4"},
         "--shard: \"4/4\": expected K/N, two whole numbers with K from 0 to N-1, e.g. 0/4"},
    };
    for (const auto& [extra, expected] : cases) {
        Args args = {"a", "-o", "b"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(UsageMessage(args), expected);
    }
}

TEST(ParseArguments, MisuseSaysWhatIsWrong) {
    const std::vector<std::pair<Args, std::string>> cases = {
        {{"a", "-o", "b", "--colour", "red"}, "unknown option --colour"},
        {{"a", "-o", "b", "-qV"}, "unknown option -qV"},
        {{"a", "-o", "b", "--jobs"}, "--jobs needs a value"},
        {{"a", "-o", "b", "--quiet=yes"}, "--quiet takes no value"},
        {{"a", "-o", "b", "--dpi", "96", "--dpi", "72"}, "--dpi given twice"},
        {{"a"}, "no output folder given (-o DIR)"},
        {{"-o", "b"}, "no input file given (use - for standard input, or --text)"},
        {{"a", "c", "-o", "b"}, "more than one input file given: \"c\""},
        {{"a", "--text", "t", "-o", "b"}, "give either an input file or --text, not both"},
        {{"--text", "t"}, "no output file given (-o FILE, or -o - for standard output)"},
        {{"a", "-o", "-"},
         "-o -: standard output takes one image; give one --text, -o DIR, or --archive tar"},
        {{"a", "-o", "b", "--fit", "--scale", "3"},
         "--fit chooses the module size itself; leave out --scale"},
        {{"a", "-o", "b", "--scale", "3", "--module-cm", "0.2"},
         "--scale and --module-cm both set the module size; give one"},
        {{"a", "-o", "b", "--rotate", "90", "--rotation", "0"},
         "--rotate and --rotation both turn the symbol; give one"},
        {{"a", "-o", "b", "--module-cm", "0.01"},
         "a module of 0.01 cm at 96 dpi is smaller than one pixel"},
        {{"a", "-t", "utf8", "--size", "9x9"},
         "--size has no meaning for utf8, which draws one character cell per module"},
        {{"a", "-t", "utf8", "--fg", "#FF0000"},
         "--fg has no meaning for utf8, which draws in the terminal's own colours "
         "(--format ansi takes colours)"},
        {{"a", "-o", "b", "--name", "safe", "--name-format", "x%d"},
         "--name-format numbers the files of --name index"},
        {{"--text", "t", "--input-format", "tsv", "-o", "b"},
         "--input-format reads an input file; --text is the text itself"},
        {{"a", "--archive", "zip"}, "no output archive given (-o FILE.zip, -o FILE.tar, or -o -)"},
        {{"--text", "t", "--template", "{1}", "-o", "b"},
         "--template reads an input file; --text is the text itself"},
        {{"a", "-o", "b", "--column", "2"},
         "--column is for tables: --input-format csv, tsv or xlsx"},
        {{"a", "-o", "b", "--input-format", "csv", "--sheet-name", "S"},
         "--sheet-name picks a sheet of --input-format xlsx"},
        {{"a", "-o", "b", "--input-format", "xlsx", "--input-encoding", "gbk"},
         "--input-encoding: an .xlsx file holds Unicode text, read as it is"},
        {{"a", "-o", "b", "--input-format", "csv", "--column", "2", "--template", "{1}"},
         "--template makes the text from its fields; leave out --column"},
        {{"a", "-o", "b", "--input-format", "csv", "--payload", "wifi"},
         "--payload says how the fields of --template are escaped; give a --template"},
        {{"a", "-o", "b", "--input-format", "csv", "--name", "index", "--name-column", "1"},
         "--name index numbers the files; leave out --name-column"},
        {{"a", "-o", "b", "--version", "5"},
         "--version prints the program's version; the symbol version is --symversion N (-v N)"},
    };
    for (const auto& [args, expected] : cases) {
        EXPECT_EQ(UsageMessage(args), expected + " (see --help)");
    }
}

TEST(ParseArguments, AppNamesRefuseOptionsThatChangeTheFile) {
    for (const Args& extra : {Args{"--format", "png"},
                              {"--mask", "3"},
                              {"--rotation", "0"},
                              {"--rotate", "90"},
                              {"--fg", "#FF0000"},
                              {"--fit"},
                              {"--module-cm", "0.1"},
                              {"--scale", "2"},
                              {"--border", "1"},
                              {"--name", "safe"},
                              {"--input-format", "tsv"},
                              {"--esc"},
                              {"--template", "{1}"},
                              {"--input-encoding", "gbk"}}) {
        Args args = {"a", "-o", "b", "--app-names"};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(UsageMessage(args),
                  "--app-names writes the window's own files; it cannot be combined with " +
                      extra[0] + " (see --help)");
    }
}

TEST(ParseArguments, NameFormatNumbersTheFiles) {
    const BatchOptions o = Parsed({"a", "-o", "b", "--name-format", "code-%05d"});
    EXPECT_EQ(o.naming, qrcli::Naming::kIndex);
    EXPECT_EQ(o.nameFormat, "code-%05d");
    for (const char* bad : {"none", "%d-%d", "a/%d", "%5s", "%123d", "100%"}) {
        EXPECT_NE(UsageMessage({"a", "-o", "b", "--name-format", bad}), "(accepted)") << bad;
    }
    EXPECT_EQ(Parsed({"a", "-o", "b", "--name-format", "%%%3d%%"}).nameFormat, "%%%3d%%");
}

TEST(ParseArguments, HelpAndVersion) {
    const std::string help = Shown({"a", "--help"});
    EXPECT_EQ(help.rfind("Usage: qrbatch-cli", 0), 0U);
    EXPECT_EQ(Shown({"-h"}), help);
    for (const char* spelling : {"-V", "--version", "--version-info"}) {
        EXPECT_EQ(Shown({spelling}).rfind("qrbatch-cli 1.0.0 (libpng 1.6", 0), 0U) << spelling;
    }
}

TEST(HelpText, EveryOptionIsThereWithinEightyColumns) {
    const std::string help = qrcli::HelpText();
    for (const char* option :
         {"--output",       "--text",       "--mkdir",  "--format",    "--name",   "--name-format",
          "--input-format", "--symversion", "--level",  "--mask",      "--size",   "--scale",
          "--border",       "--module-cm",  "--dpi",    "--fit",       "--rotate", "--rotation",
          "--fg",           "--bg",         "--frame",  "--app-names", "--verify", "--jobs",
          "--quiet",        "--help",       "--version"}) {
        const bool listed = help.find(std::string("  ") + option + " ") != std::string::npos ||
                            help.find(std::string(", ") + option + " ") != std::string::npos;
        EXPECT_TRUE(listed) << option;
    }
    for (const char* option : {"--archive", "--shard"}) {
        EXPECT_NE(help.find(std::string("\n  ") + option + " "), std::string::npos) << option;
    }
    size_t lineStart = 0;
    for (size_t end = help.find('\n'); end != std::string::npos; end = help.find('\n', lineStart)) {
        EXPECT_LE(end - lineStart, 80U) << help.substr(lineStart, end - lineStart);
        lineStart = end + 1;
    }
}

}  // namespace

TEST(ParseArguments, TablesReadAHeaderUnlessTsvLinesOrToldNot) {
    const struct {
        Args extra;
        bool header;
        bool table;
    } cases[] = {
        {{"--input-format", "csv"}, true, true},
        {{"--input-format", "xlsx"}, true, true},
        {{"--input-format", "csv", "--no-header"}, false, true},
        {{"--input-format", "tsv"}, false, false},  // name<TAB>text, as it always was
        {{"--input-format", "tsv", "--column", "2"}, true, true},
        {{"--input-format", "tsv", "--template", "{1}", "--no-header"}, false, true},
        {{"--template", "x{1}"}, false, true},  // over lines, {1} is the line
        {{"--esc"}, false, true},
        {{"--input-encoding", "gbk"}, false, true},
        {{}, false, false},
    };
    for (const auto& c : cases) {
        Args args = {"a", "-o", "b"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const BatchOptions o = Parsed(args);
        EXPECT_EQ(o.header, c.header) << args.back();
        EXPECT_EQ(qrcli::ReadsTable(o), c.table) << args.back();
    }
}
