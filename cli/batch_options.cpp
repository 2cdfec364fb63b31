#include "batch_options.h"

#include <charconv>
#include <cmath>
#include <set>
#include <string_view>

#include "help_text.h"
#include "settings_record.h"

namespace qrcli {

namespace {

constexpr int kMaxSide = 16384;  // keeps one image of any format within a few hundred MB

bool ParseInt(std::string_view text, int low, int high, int& out) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return false;
    if (value < low || value > high) return false;
    out = value;
    return true;
}

bool ParseColor(std::string_view text, uint32_t& out) {
    if (!text.empty() && text.front() == '#') text.remove_prefix(1);
    if (text.size() != 6) return false;
    unsigned rgb = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rgb, 16);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    // Written as #RRGGBB, kept as 0x00BBGGRR like every colour of the library.
    out = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

bool ParseSize(std::string_view text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    return ParseInt(text.substr(0, x), 1, kMaxSide, width) &&
           ParseInt(text.substr(x + 1), 1, kMaxSide, height);
}

bool ParseModuleCm(const std::string& text, double& out) {
    if (text.empty()) return false;
    size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        return false;
    }
    if (used != text.size() || !std::isfinite(value) || value <= 0 || value > 100) return false;
    out = value;
    return true;
}

bool ParseLevel(std::string_view text, int& out) {
    static constexpr std::string_view kLevels = "LMQH";
    if (text.size() != 1) return false;
    const char c = static_cast<char>(text[0] & ~0x20);  // either case
    const size_t at = kLevels.find(c);
    if (at == std::string_view::npos) return false;
    out = static_cast<int>(at);
    return true;
}

bool ParseMask(std::string_view text, int& out) {
    if (text == "auto") {
        out = 0;
        return true;
    }
    int pattern = 0;
    if (!ParseInt(text, 0, 7, pattern)) return false;
    out = pattern + 1;
    return true;
}

bool ParseFormat(std::string_view text, ImageFormat& out) {
    if (text == "bmp")
        out = ImageFormat::kBmp;
    else if (text == "png")
        out = ImageFormat::kPng;
    else if (text == "svg")
        out = ImageFormat::kSvg;
    else if (text == "wmf")
        out = ImageFormat::kWmf;
    else
        return false;
    return true;
}

// Options that would make the files differ from the window's.
const std::set<std::string>& NotWithAppNames() {
    static const std::set<std::string> kOptions = {"--format", "--mask",     "--module-cm",
                                                   "--dpi",    "--rotation", "--frame",
                                                   "--fg",     "--bg",       "--fit"};
    return kOptions;
}

UsageError Bad(const std::string& message) {
    return UsageError{message + " (see --help)"};
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args, int defaultJobs) {
    BatchOptions options;
    options.jobs = defaultJobs < 1 ? 1 : defaultJobs;
    std::set<std::string> given;
    std::vector<std::string> inputs;
    std::string moduleText = "0.2";

    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        bool hasValue = false;
        if (name.rfind("--", 0) == 0 && name.find('=') != std::string::npos) {
            value = name.substr(name.find('=') + 1);
            name = name.substr(0, name.find('='));
            hasValue = true;
        }
        if ((name.rfind("-o", 0) == 0 || name.rfind("-j", 0) == 0) && name.size() > 2 &&
            name[1] != '-') {
            value = name.substr(2);  // -oDIR, -j2
            name = name.substr(0, 2);
            hasValue = true;
        }
        if (name == "-o") name = "--output";
        if (name == "-j") name = "--jobs";
        if (name == "-h") name = "--help";

        if (name == "--help") return ShowText{HelpText()};
        if (name == "--version-info") return ShowText{VersionText()};
        if (name == "--app-names" || name == "--fit" || name == "--verify") {
            if (hasValue) return Bad(name + " takes no value");
            given.insert(name);
            if (name == "--app-names") options.appNames = true;
            if (name == "--fit") options.fit = true;
            if (name == "--verify") options.verify = true;
            continue;
        }
        if (name == "-" || name.empty() || name[0] != '-') {
            inputs.push_back(args[i]);
            continue;
        }
        static const std::set<std::string> kWithValue = {
            "--output",   "--version", "--level", "--mask", "--size",   "--module-cm", "--dpi",
            "--rotation", "--frame",   "--fg",    "--bg",   "--format", "--jobs"};
        if (!kWithValue.count(name)) return Bad("unknown option " + name);
        if (!hasValue) {
            if (i + 1 >= args.size()) return Bad(name + " needs a value");
            value = args[++i];
        }
        if (given.count(name)) return Bad(name + " given twice");
        given.insert(name);

        if (name == "--output") options.outputFolder = value;
        if (name == "--module-cm") moduleText = value;
        const bool ok = name == "--output"      ? !value.empty()
                        : name == "--version"   ? ParseInt(value, 0, 40, options.requestedVersion)
                        : name == "--level"     ? ParseLevel(value, options.ecLevel)
                        : name == "--mask"      ? ParseMask(value, options.maskSetting)
                        : name == "--size"      ? ParseSize(value, options.width, options.height)
                        : name == "--module-cm" ? ParseModuleCm(value, options.moduleCm)
                        : name == "--dpi"       ? ParseInt(value, 1, 100000, options.dpi)
                        : name == "--rotation"  ? ParseInt(value, 0, 3, options.rotation)
                        : name == "--frame"     ? ParseInt(value, 0, 2, options.frameStyle)
                        : name == "--fg"        ? ParseColor(value, options.barColor)
                        : name == "--bg"        ? ParseColor(value, options.backColor)
                        : name == "--format"    ? ParseFormat(value, options.format)
                                                : ParseInt(value, 1, 256, options.jobs);
        if (!ok) return Bad("invalid value for " + name + ": \"" + value + "\"");
    }

    if (inputs.empty()) return Bad("no input file given (use - for standard input)");
    if (inputs.size() > 1) return Bad("more than one input file given: \"" + inputs[1] + "\"");
    options.input = inputs[0];
    if (!given.count("--output")) return Bad("no output folder given (-o DIR)");
    if (options.appNames) {
        for (const auto& option : NotWithAppNames()) {
            if (given.count(option)) {
                return Bad(
                    "--app-names writes the window's own files; it cannot be combined with " +
                    option);
            }
        }
    }
    if (options.fit && given.count("--module-cm")) {
        return Bad("--fit chooses the module size itself; leave out --module-cm");
    }
    if (!options.fit &&
        qrlib::ModulePixelsFor(options.dpi, static_cast<float>(options.moduleCm)) < 1) {
        return Bad("a module of " + moduleText + " cm at " + std::to_string(options.dpi) +
                   " dpi is smaller than one pixel");
    }
    return options;
}

std::string ExtensionFor(const BatchOptions& options) {
    if (options.appNames) return ".jpg";  // the window's name: BMP bytes under a .jpg name
    return std::string(".") + FormatName(options.format);
}

const char* FormatName(ImageFormat format) {
    switch (format) {
        case ImageFormat::kPng:
            return "png";
        case ImageFormat::kSvg:
            return "svg";
        case ImageFormat::kWmf:
            return "wmf";
        default:
            return "bmp";
    }
}

const char* LevelName(int ecLevel) {
    static constexpr const char* kNames[] = {"L", "M", "Q", "H"};
    return kNames[ecLevel & 3];
}

}  // namespace qrcli
