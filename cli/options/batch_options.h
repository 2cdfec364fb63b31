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

enum class InputFormat { kLines, kTsv };  // tsv: name<TAB>text

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
