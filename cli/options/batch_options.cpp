#include "options/batch_options.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string_view>

#include "canvas.h"
#include "common/path_names.h"
#include "options/colours.h"
#include "options/help_text.h"
#include "options/option_table.h"
#include "options/option_values.h"
#include "settings_record.h"

namespace qrcli {

namespace {

constexpr double kWindowModuleCm = 0.2;

// What the loop over the arguments gathers besides the options themselves.
struct Gathered {
    std::set<OptionId> given;
    std::vector<std::string> inputs;
    double moduleCm = 0;
    std::string moduleText;
    int scale = 0;
};

UsageError Bad(const std::string& message) {
    return UsageError{message + " (see --help)"};
}

UsageError BadValue(const OptionRow& option, const std::string& value) {
    std::string expected(option.expected);
    // A size of the right form says which sides are out of range.
    const size_t x = value.find_first_of("xX");
    const auto digits = [](std::string_view t) {
        return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (option.id == OptionId::kSize && x != std::string::npos &&
        digits(std::string_view(value).substr(0, x)) &&
        digits(std::string_view(value).substr(x + 1))) {
        expected = "each side from 1 to " + std::to_string(kMaxImageSide);
    }
    return UsageError{std::string(option.name) + ": \"" + value + "\": expected " + expected};
}

bool Apply(OptionId id, const std::string& value, BatchOptions& o, Gathered& g) {
    switch (id) {
        case OptionId::kOutput:
            o.output = value;
            return !value.empty();
        case OptionId::kText:
            o.texts.push_back(value);
            return true;
        case OptionId::kFormat:
            return ParseFormat(value, o.format);
        case OptionId::kName:
            return ParseNaming(value, o.naming);
        case OptionId::kNameFormat:
            o.nameFormat = value;
            return ParseNameFormat(value);
        case OptionId::kInputFormat:
            return ParseInputFormat(value, o.inputFormat);
        case OptionId::kSymVersion:
            return ParseSymbolVersion(value, o.requestedVersion, o.micro);
        case OptionId::kLevel:
            return ParseLevel(value, o.ecLevel);
        case OptionId::kMask:
            return ParseMask(value, o.maskSetting);
        case OptionId::kSize:
            return ParseSize(value, o.width, o.height);
        case OptionId::kScale:
            return ParseWholeNumber(value, 1, kMaxImageSide, g.scale);
        case OptionId::kBorder:
            return ParseWholeNumber(value, 0, 100, o.border);
        case OptionId::kModuleCm:
            g.moduleText = value;
            return ParseCentimetres(value, g.moduleCm);
        case OptionId::kDpi:
            return ParseWholeNumber(value, 1, 100000, o.dpi);
        case OptionId::kRotate:
            return ParseDegrees(value, o.rotation);
        case OptionId::kRotation:
            return ParseWholeNumber(value, 0, 3, o.rotation);
        case OptionId::kFrame:
            return ParseWholeNumber(value, 0, 2, o.frameStyle);
        case OptionId::kFg:
            return ParseColour(value, o.barColor);
        case OptionId::kBg:
            return ParseColour(value, o.backColor);
        case OptionId::kJobs:
            return ParseWholeNumber(value, 1, 256, o.jobs);
        case OptionId::kMkdir:
            o.makeFolder = true;
            return true;
        case OptionId::kAppNames:
            o.appNames = true;
            return true;
        case OptionId::kVerify:
            o.verify = true;
            return true;
        case OptionId::kQuiet:
            o.quiet = true;
            return true;
        case OptionId::kArchive:
            return ParseArchive(value, o.archive);
        case OptionId::kShard:
            return ParseShard(value, o.shardIndex, o.shardCount);
        case OptionId::kExact:
            o.exactVersion = true;
            return true;
        case OptionId::kEci:
            return ParseEci(value, o.eci);
        case OptionId::kMicro:
            o.micro = true;
            return true;
        case OptionId::kKanji:
            o.kanji = true;
            return true;
        case OptionId::kSplit:
            return ParseSplit(value, o.splitParts, o.splitWhenLong);
        case OptionId::kNoHeader:
            o.header = false;
            return true;
        case OptionId::kSheetName:
            o.sheetName = value;
            return !value.empty();
        case OptionId::kColumn:
            o.column = value;
            return ParseColumnWord(value);
        case OptionId::kNameColumn:
            o.nameColumn = value;
            return ParseColumnWord(value);
        case OptionId::kInputEncoding:
            return ParseInputEncoding(value, o.fromGb18030);
        case OptionId::kTemplate:
            o.templateText = value;
            return !value.empty();
        case OptionId::kPayload:
            return ParsePayload(value, o.payload);
        case OptionId::kEsc:
            o.escapes = true;
            return true;
        default:  // --fit is the default; --help and --version never get here
            return true;
    }
}

std::string Name(OptionId id) {
    return std::string(RowOf(id).name);
}

// Options that would make the files differ from the window's.
constexpr OptionId kNotWithAppNames[] = {
    OptionId::kFormat,     OptionId::kMask,          OptionId::kModuleCm,    OptionId::kDpi,
    OptionId::kRotate,     OptionId::kRotation,      OptionId::kFrame,       OptionId::kFg,
    OptionId::kBg,         OptionId::kFit,           OptionId::kScale,       OptionId::kBorder,
    OptionId::kName,       OptionId::kNameFormat,    OptionId::kInputFormat, OptionId::kText,
    OptionId::kExact,      OptionId::kEci,           OptionId::kMicro,       OptionId::kKanji,
    OptionId::kSplit,      OptionId::kNoHeader,      OptionId::kSheetName,   OptionId::kColumn,
    OptionId::kNameColumn, OptionId::kInputEncoding, OptionId::kTemplate,    OptionId::kPayload,
    OptionId::kEsc};

// Options that mean pixels, which the terminal formats do not draw.
constexpr OptionId kPixelOptions[] = {OptionId::kSize, OptionId::kScale, OptionId::kModuleCm,
                                      OptionId::kDpi, OptionId::kFrame};

// The format named by a file's extension, for one code written to a file.
std::optional<ImageFormat> FormatOfFileName(const std::string& path) {
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return std::nullopt;
    const std::string extension = path.substr(dot + 1);
    if (extension == "txt" || extension == "TXT") return ImageFormat::kUtf8;
    ImageFormat format{};
    if (extension == "utf8" || extension == "ansi" || !ParseFormat(extension, format)) {
        return std::nullopt;
    }
    return format;
}

std::optional<UsageError> ChooseInput(BatchOptions& o, const Gathered& g) {
    if (g.inputs.size() > 1) return Bad("more than one input file given: \"" + g.inputs[1] + "\"");
    if (!g.inputs.empty() && !o.texts.empty()) {
        return Bad("give either an input file or --text, not both");
    }
    if (g.inputs.empty() && o.texts.empty()) {
        return Bad("no input file given (use - for standard input, or --text)");
    }
    if (!g.inputs.empty()) o.input = g.inputs[0];
    if (!o.texts.empty()) {
        for (OptionId id : {OptionId::kInputFormat, OptionId::kNoHeader, OptionId::kSheetName,
                            OptionId::kColumn, OptionId::kNameColumn, OptionId::kInputEncoding,
                            OptionId::kTemplate, OptionId::kPayload}) {
            if (g.given.count(id)) {
                return Bad(Name(id) + " reads an input file; --text is the text itself");
            }
        }
    }
    return std::nullopt;
}

// The archive -o names by its extension (an existing folder of that name stays a folder).
std::optional<ArchiveFormat> ArchiveOfName(const std::string& path) {
    ArchiveFormat archive{};
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.' ||
        !ParseArchive(path.substr(dot + 1), archive)) {
        return std::nullopt;
    }
    if (qrcommon::IsFolder(path)) return std::nullopt;
    return archive;
}

// One archive instead of a file per line: asked for with --archive, or by -o's name.
std::optional<UsageError> ChooseArchive(BatchOptions& o, const Gathered& g, bool given) {
    const auto named = given ? ArchiveOfName(o.output) : std::nullopt;
    if (!g.given.count(OptionId::kArchive) && !named) return std::nullopt;
    if (!given) return Bad("no output archive given (-o FILE.zip, -o FILE.tar, or -o -)");
    if (!g.given.count(OptionId::kArchive)) o.archive = *named;
    o.outputKind = OutputKind::kArchive;
    return std::nullopt;
}

// The table options, each with what it needs.
std::optional<UsageError> ChooseTable(BatchOptions& o, const Gathered& g) {
    const auto given = [&](OptionId id) { return g.given.count(id) != 0; };
    const bool table = o.inputFormat != InputFormat::kLines;
    for (OptionId id : {OptionId::kColumn, OptionId::kNameColumn, OptionId::kNoHeader}) {
        if (given(id) && !table) {
            return Bad(Name(id) + " is for tables: --input-format csv, tsv or xlsx");
        }
    }
    if (given(OptionId::kSheetName) && o.inputFormat != InputFormat::kXlsx) {
        return Bad("--sheet-name picks a sheet of --input-format xlsx");
    }
    if (given(OptionId::kInputEncoding) && o.inputFormat == InputFormat::kXlsx) {
        return Bad("--input-encoding: an .xlsx file holds Unicode text, read as it is");
    }
    if (given(OptionId::kTemplate) && given(OptionId::kColumn)) {
        return Bad("--template makes the text from its fields; leave out --column");
    }
    if (given(OptionId::kPayload) && !given(OptionId::kTemplate)) {
        return Bad("--payload says how the fields of --template are escaped; give a --template");
    }
    if (given(OptionId::kNameColumn) && o.naming == Naming::kIndex) {
        return Bad("--name index numbers the files; leave out --name-column");
    }
    // Without columns a tsv line is name<TAB>text, as it always was: no header row.
    if (o.inputFormat == InputFormat::kTsv && !given(OptionId::kColumn) &&
        !given(OptionId::kNameColumn) && !given(OptionId::kTemplate)) {
        o.header = false;
    }
    // Lines have no header; a template over them takes the line as {1}.
    if (o.inputFormat == InputFormat::kLines) o.header = false;
    return std::nullopt;
}

std::optional<UsageError> ChooseOutput(BatchOptions& o, const Gathered& g, bool sheets) {
    const bool terminal = IsTerminalFormat(o.format);
    const bool given = g.given.count(OptionId::kOutput) != 0;
    if (sheets) {
        for (OptionId batchOnly : {OptionId::kArchive, OptionId::kShard}) {
            if (g.given.count(batchOnly))
                return Bad(Name(batchOnly) + " is for image batches, not --sheet");
        }
        if (!given) return Bad("no output file given (-o FILE.pdf, or -o - for standard output)");
        o.outputKind = o.output == "-" ? OutputKind::kStandardOutput : OutputKind::kFile;
        return std::nullopt;
    }
    if (auto error = ChooseArchive(o, g, given)) return error;
    if (o.outputKind == OutputKind::kArchive) return std::nullopt;
    const bool toStandardOutput = o.output == "-" || (!given && terminal);
    if (o.texts.size() == 1) {
        if (!toStandardOutput && !given) {
            return Bad("no output file given (-o FILE, or -o - for standard output)");
        }
        o.outputKind = toStandardOutput ? OutputKind::kStandardOutput : OutputKind::kFile;
    } else if (toStandardOutput) {
        if (!terminal) {
            return Bad(
                "-o -: standard output takes one image; give one --text, -o DIR, or --archive "
                "tar");
        }
        o.outputKind = OutputKind::kStandardOutput;
    } else {
        if (!given) return Bad("no output folder given (-o DIR)");
        o.outputKind = OutputKind::kFolder;
    }
    if (o.outputKind == OutputKind::kStandardOutput) o.jobs = 1;  // in order, one stream
    return std::nullopt;
}

std::optional<UsageError> ChooseModuleSize(BatchOptions& o, const Gathered& g) {
    const auto& given = g.given;
    for (OptionId sizing : {OptionId::kScale, OptionId::kModuleCm}) {
        if (given.count(OptionId::kFit) && given.count(sizing)) {
            return Bad("--fit chooses the module size itself; leave out " + Name(sizing));
        }
    }
    if (given.count(OptionId::kScale) && given.count(OptionId::kModuleCm)) {
        return Bad("--scale and --module-cm both set the module size; give one");
    }
    if (given.count(OptionId::kRotate) && given.count(OptionId::kRotation)) {
        return Bad("--rotate and --rotation both turn the symbol; give one");
    }
    if (IsTerminalFormat(o.format)) {
        for (OptionId pixels : kPixelOptions) {
            if (given.count(pixels)) {
                return Bad(Name(pixels) + " has no meaning for " + FormatName(o.format) +
                           ", which draws one character cell per module");
            }
        }
        o.modulePixels = 1;
        o.imageFollowsSymbol = true;
        return std::nullopt;
    }
    if (given.count(OptionId::kModuleCm)) {
        o.moduleMm = g.moduleCm * 10;
        o.modulePixels = qrlib::ModulePixelsFor(o.dpi, static_cast<float>(g.moduleCm));
        // A vector file scales its pixels to the size asked for, however few they are.
        if (IsVectorFormat(o.format)) o.modulePixels = std::max(o.modulePixels, 1);
        if (o.modulePixels < 1) {
            return Bad("a module of " + g.moduleText + " cm at " + std::to_string(o.dpi) +
                       " dpi is smaller than one pixel");
        }
    }
    if (given.count(OptionId::kScale)) o.modulePixels = g.scale;
    o.imageFollowsSymbol = o.modulePixels > 0 && !given.count(OptionId::kSize);
    return std::nullopt;
}

std::optional<UsageError> CheckColours(const BatchOptions& o, const Gathered& g) {
    const bool holdsTransparency = o.format == ImageFormat::kPng || o.format == ImageFormat::kSvg;
    for (auto [id, colour] : {std::pair{OptionId::kFg, o.barColor}, {OptionId::kBg, o.backColor}}) {
        if (!g.given.count(id)) continue;
        if (o.format == ImageFormat::kUtf8) {
            return Bad(Name(id) +
                       " has no meaning for utf8, which draws in the terminal's own "
                       "colours (--format ansi takes colours)");
        }
        if (AlphaOf(colour) != 255 && !holdsTransparency) {
            return Bad(Name(id) + ": transparency is for png and svg; " + FormatName(o.format) +
                       " has none");
        }
    }
    const bool bothClear = AlphaOf(o.barColor) == 0 && AlphaOf(o.backColor) == 0;
    if (o.barColor == o.backColor || bothClear) {
        return Bad("--fg " + ColourText(o.barColor) + " and --bg " + ColourText(o.backColor) +
                   " cannot be told apart: no reader would find the code");
    }
    return std::nullopt;
}

std::optional<UsageError> ChooseNaming(BatchOptions& o, const Gathered& g) {
    if (g.given.count(OptionId::kNameFormat)) {
        if (g.given.count(OptionId::kName) && o.naming != Naming::kIndex) {
            return Bad("--name-format numbers the files of --name index");
        }
        o.naming = Naming::kIndex;
    }
    return std::nullopt;
}

// The symbol options that only go together in some ways.
std::optional<UsageError> CheckSymbolChoices(BatchOptions& o, const Gathered& g) {
    const auto given = [&](OptionId id) { return g.given.count(id) != 0; };
    if (o.exactVersion && o.requestedVersion == 0) {
        return Bad("--exact keeps the version given with --symversion N; give one");
    }
    if (o.eci != 0 && o.kanji) {
        return Bad("--eci utf8 declares UTF-8 text, --kanji Shift JIS text; give one");
    }
    if (o.micro) {
        for (OptionId extra : {OptionId::kEci, OptionId::kSplit}) {
            if (given(extra)) return Bad("Micro QR has no room for " + Name(extra));
        }
        if (o.requestedVersion > 4) {
            return Bad("--micro has the versions M1 to M4 (--symversion 1..4 or M1..M4)");
        }
        if (o.ecLevel > 2) return Bad("Micro QR has the levels L, M (M2 to M4) and Q (M4)");
        if (o.maskSetting > 4) return Bad("Micro QR has the mask patterns 0 to 3");
        if (!given(OptionId::kBorder)) o.border = 2;  // its own quiet zone
    }
    return std::nullopt;
}

std::optional<UsageError> Finish(BatchOptions& o, const Gathered& g, bool sheets) {
    if (auto error = ChooseInput(o, g)) return error;
    if (sheets) {
        for (OptionId id : {OptionId::kExact, OptionId::kEci, OptionId::kMicro, OptionId::kKanji,
                            OptionId::kSplit}) {
            if (g.given.count(id)) return Bad("label sheets do not take " + Name(id) + " yet");
        }
    }
    if (auto error = CheckSymbolChoices(o, g)) return error;
    if (o.appNames) {
        for (OptionId option : kNotWithAppNames) {
            if (g.given.count(option)) {
                return Bad(
                    "--app-names writes the window's own files; it cannot be combined with " +
                    Name(option));
            }
        }
        UseWindowSettings(o);
    }
    if (!g.given.count(OptionId::kFormat) && o.texts.size() == 1 && o.output != "-") {
        if (const auto format = FormatOfFileName(o.output)) o.format = *format;
    }
    if (auto error = ChooseOutput(o, g, sheets)) return error;
    if (o.appNames) return std::nullopt;
    if (auto error = ChooseModuleSize(o, g)) return error;
    if (auto error = CheckColours(o, g)) return error;
    if (auto error = ChooseNaming(o, g)) return error;
    return ChooseTable(o, g);
}

}  // namespace

void UseWindowSettings(BatchOptions& options) {
    options.format = ImageFormat::kBmp;
    options.maskSetting = 5;  // the window's pattern 4
    options.dpi = qrplat::kScreenDpi;
    options.modulePixels = qrlib::ModulePixelsFor(options.dpi, static_cast<float>(kWindowModuleCm));
    options.imageFollowsSymbol = false;
    options.rotation = 1;
    options.frameStyle = 0;
    options.barColor = 0x000000;
    options.backColor = 0xFFFFFF;
    options.naming = Naming::kLine;
    options.inputFormat = InputFormat::kLines;
}

bool ReadsTable(const BatchOptions& o) {
    if (o.appNames || !o.texts.empty()) return false;
    const bool columns = !o.column.empty() || !o.nameColumn.empty() || !o.templateText.empty();
    return o.inputFormat == InputFormat::kCsv || o.inputFormat == InputFormat::kXlsx || columns ||
           o.escapes || o.fromGb18030;
}

ParsedArguments ParseArguments(const std::vector<std::string>& args, int defaultJobs, bool sheets) {
    BatchOptions options;
    options.jobs = std::max(defaultJobs, 1);
    Gathered gathered;
    bool optionsEnded = false;

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
            gathered.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionRow* option = nullptr;
        std::string value;
        bool hasValue = false;
        if (arg[1] == '-') {
            const size_t equals = arg.find('=');
            option = FindLongOption(std::string_view(arg).substr(0, equals));
            hasValue = equals != std::string::npos;
            if (hasValue) value = arg.substr(equals + 1);
        } else {
            option = FindShortOption(arg[1]);
            hasValue = arg.size() > 2;  // -oDIR, -j2
            if (hasValue) value = arg.substr(2);
            if (option && !option->takesValue && hasValue) option = nullptr;
        }
        const std::string spelled = arg.substr(0, arg.find('='));
        if (option == nullptr) return Bad("unknown option " + spelled);

        if (option->id == OptionId::kVersion) {
            // The symbol's version was once --version N; such a call must not quietly run.
            int ignored = 0;
            const bool numberFollows =
                hasValue || (i + 1 < args.size() && ParseWholeNumber(args[i + 1], 0, 40, ignored));
            if (numberFollows) {
                return Bad(spelled +
                           " prints the program's version; the symbol version is "
                           "--symversion N (-v N)");
            }
            return ShowText{VersionText()};
        }
        if (option->id == OptionId::kHelp && !hasValue) return ShowText{HelpText()};
        if (!option->takesValue && hasValue) return Bad(spelled + " takes no value");
        if (option->takesValue && !hasValue) {
            if (i + 1 >= args.size()) return Bad(spelled + " needs a value");
            value = args[++i];
        }
        if (gathered.given.count(option->id) && option->id != OptionId::kText) {
            return Bad(std::string(option->name) + " given twice");
        }
        gathered.given.insert(option->id);
        if (!Apply(option->id, value, options, gathered)) return BadValue(*option, value);
    }

    if (auto error = Finish(options, gathered, sheets)) return *error;
    return options;
}

std::string ExtensionFor(const BatchOptions& options) {
    if (options.appNames) return ".jpg";  // the window's name: BMP bytes under a .jpg name
    if (IsTerminalFormat(options.format)) return ".txt";
    return std::string(".") + FormatName(options.format);
}

const char* FormatName(ImageFormat format) {
    switch (format) {
        case ImageFormat::kPng:
            return "png";
        case ImageFormat::kSvg:
            return "svg";
        case ImageFormat::kEps:
            return "eps";
        case ImageFormat::kPdf:
            return "pdf";
        case ImageFormat::kWmf:
            return "wmf";
        case ImageFormat::kUtf8:
            return "utf8";
        case ImageFormat::kAnsi:
            return "ansi";
        default:
            return "bmp";
    }
}

bool IsTerminalFormat(ImageFormat format) {
    return format == ImageFormat::kUtf8 || format == ImageFormat::kAnsi;
}

bool IsVectorFormat(ImageFormat format) {
    return format == ImageFormat::kSvg || format == ImageFormat::kEps ||
           format == ImageFormat::kPdf;
}

const char* ArchiveName(ArchiveFormat archive) {
    return archive == ArchiveFormat::kZip ? "zip" : "tar";
}

const char* LevelName(int ecLevel) {
    static constexpr const char* kNames[] = {"L", "M", "Q", "H"};
    return kNames[ecLevel & 3];
}

}  // namespace qrcli
