// What one run of the command-line tool is asked to do, read from its arguments.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace qrcli {

enum class ImageFormat { kBmp, kPng, kSvg, kWmf };

struct BatchOptions {
    std::string input;         // a file, or "-" for standard input
    std::string outputFolder;  // must exist
    int requestedVersion = 0;  // 0 automatic, 1..40 the smallest version
    int ecLevel = 0;           // 0 L, 1 M, 2 Q, 3 H
    int maskSetting = 5;       // 0 automatic, 1..8 mask pattern 0..7 (the window's pattern 4)
    int width = 200;
    int height = 200;
    double moduleCm = 0.2;
    int dpi = 96;
    int rotation = 1;
    int frameStyle = 0;
    uint32_t barColor = 0x00000000;   // 0x00BBGGRR
    uint32_t backColor = 0x00FFFFFF;  // 0x00BBGGRR
    ImageFormat format = ImageFormat::kBmp;
    bool appNames = false;  // the window's names and bytes: line + ".jpg", BMP
    bool fit = false;       // module size from the image size instead of from centimetres
    bool verify = false;
    int jobs = 1;
};

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
ParsedArguments ParseArguments(const std::vector<std::string>& args, int defaultJobs);

// The file name extension of the run's images, with its dot.
std::string ExtensionFor(const BatchOptions& options);

const char* FormatName(ImageFormat format);
const char* LevelName(int ecLevel);

}  // namespace qrcli
