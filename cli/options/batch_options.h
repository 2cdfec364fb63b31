// What one run of the command-line tool is asked to do, read from its arguments.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace qrcli {

enum class ImageFormat { kPng, kSvg, kEps, kPdf, kBmp, kWmf, kUtf8, kAnsi };

// How a batch names its files: the text as it is, the text made safe for any file system, or
// the line's number.
enum class Naming { kLine, kSafe, kIndex };

// lines: one text a line; tsv: name<TAB>text, or a table with column options; csv and xlsx:
// tables, a header row first unless told otherwise.
enum class InputFormat { kLines, kTsv, kCsv, kXlsx };

// What the fields of a template stand in, and so how they are escaped.
enum class Payload { kAuto, kText, kWifi, kVcard, kMecard };

enum class OutputKind {
    kFolder,          // a batch: one file per line
    kFile,            // one code: exactly this file (an existing folder takes it by name)
    kStandardOutput,  // written in line order, one after another
    kArchive,  // a batch: one archive of every line's file (a file, or - for standard output)
};

enum class ArchiveFormat { kZip, kTar };

struct BatchOptions {
    std::string input;               // a file, or "-" for standard input; empty with --text
    std::vector<std::string> texts;  // --text, in order
    std::string output;              // the folder or file; "-" for standard output
    OutputKind outputKind = OutputKind::kFolder;
    bool makeFolder = false;
    ArchiveFormat archive = ArchiveFormat::kTar;  // with OutputKind::kArchive

    // --shard K/N: only the lines whose number modulo shardCount is shardIndex are made, each
    // named as in the whole run.
    size_t shardIndex = 0;
    size_t shardCount = 1;

    int requestedVersion = 0;    // 0 automatic, 1..40 the smallest version
    int ecLevel = 0;             // 0 L, 1 M, 2 Q, 3 H
    int maskSetting = 0;         // 0 automatic, 1..8 mask pattern 0..7
    bool exactVersion = false;   // --exact: the version of --symversion or nothing
    int eci = 0;                 // 0 none, 26 (--eci utf8): the designator before the data
    bool micro = false;          // Micro QR: versions 1..4 are M1..M4
    bool kanji = false;          // the texts are Shift JIS: Kanji mode where it is shorter
    int splitParts = 1;          // --split N: every text as N linked symbols
    bool splitWhenLong = false;  // --split auto: as few linked symbols as hold a long text

    int width = 200;  // the image, unless it follows the symbol
    int height = 200;
    int modulePixels = 0;             // 0: the largest that fits the image with the quiet zone
    bool imageFollowsSymbol = false;  // the image is the symbol and its quiet zone
    int border = 4;                   // quiet zone, in modules
    int dpi = 96;
    double moduleMm = 0;  // the module side asked for in a physical unit (--module-cm); 0 none
    int rotation = 1;     // the library's quarter-turn code; 1 is upright
    int frameStyle = 0;
    uint32_t barColor = 0x00000000;   // 0xTTBBGGRR, TT the transparency (see colours.h)
    uint32_t backColor = 0x00FFFFFF;  // 0xTTBBGGRR

    ImageFormat format = ImageFormat::kPng;
    Naming naming = Naming::kLine;
    std::string nameFormat = "%05d";
    InputFormat inputFormat = InputFormat::kLines;
    // Tables: the first row names the columns (csv, xlsx, tsv with column options).
    bool header = true;
    std::string sheetName;     // xlsx: the sheet by its name; empty for the first
    std::string column;        // the text's column, a header name or a number from 1
    std::string nameColumn;    // the file name's column; empty: named after the text
    bool fromGb18030 = false;  // the input is GBK/GB18030, turned into UTF-8 as it is read
    std::string templateText;  // with {column} fields; empty for none
    Payload payload = Payload::kAuto;
    bool escapes = false;  // \n, \t, \\, \xNN, \uNNNN in the texts become characters

    bool appNames = false;  // the window's names and bytes: line + ".jpg", BMP
    bool verify = false;
    bool quiet = false;
    int jobs = 1;
};

// The window's own settings, which --app-names writes: BMP, mask pattern 4, modules of
// 0.2 cm at 96 dpi in a fixed image, cut off at its edge when larger.
void UseWindowSettings(BatchOptions& options);

// Asked for the help or the version text instead of a run.
struct ShowText {
    std::string text;
};

// A usage error, to be reported with exit status 2.
struct UsageError {
    std::string message;
};

using ParsedArguments = std::variant<BatchOptions, ShowText, UsageError>;

// The input is read as a table (columns, a template, escapes or another encoding) rather than
// line by line as the window reads it.
bool ReadsTable(const BatchOptions& options);

// Reads the arguments after the program name. defaultJobs is the number of cores.
// With sheets, the output is one PDF file (or "-") whatever the number of lines.
ParsedArguments ParseArguments(const std::vector<std::string>& args, int defaultJobs,
                               bool sheets = false);

// The file name extension of the run's images, with its dot.
std::string ExtensionFor(const BatchOptions& options);

const char* FormatName(ImageFormat format);
const char* LevelName(int ecLevel);
const char* ArchiveName(ArchiveFormat archive);  // "zip" or "tar"

bool IsTerminalFormat(ImageFormat format);
// SVG, EPS and PDF: drawn at any size, not in whole pixels.
bool IsVectorFormat(ImageFormat format);

}  // namespace qrcli
