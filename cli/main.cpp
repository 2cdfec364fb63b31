// qrbatch-cli: the window's batch run without a window, for scripts, servers and CI.
#include <cstdio>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include <unistd.h>

#include "batch_options.h"
#include "batch_run.h"
#include "input_lines.h"
#include "output_folder.h"
#include "progress_bar.h"

namespace {

constexpr int kAllWritten = 0;
constexpr int kSomeNotWritten = 1;
constexpr int kUsageError = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "qrbatch-cli: %s\n", message.c_str());
    return kUsageError;
}

int Run(const qrcli::BatchOptions& options) {
    std::string error;
    const auto folder = qrcli::OutputFolder::Open(options.outputFolder, error);
    if (!folder) {
        return Fail("output folder \"" + options.outputFolder + "\": " + error +
                    " (it must be an existing folder)");
    }
    const auto input = qrcli::ReadInput(options.input, error);
    if (!input) {
        const std::string name =
            options.input == "-" ? "standard input" : "\"" + options.input + "\"";
        return Fail("cannot read the input " + name + ": " + error);
    }
    const std::vector<std::string> lines = qrcli::SplitInputLines(*input);
    if (lines.empty())
        std::fprintf(stderr, "qrbatch-cli: the input has no lines; nothing to write\n");

    qrcli::ProgressBar bar(stderr, isatty(STDERR_FILENO) != 0);
    size_t failed = 0;
    qrcli::RunLines(lines, options, *folder, [&](size_t index, const qrcli::LineOutcome& outcome) {
        if (!outcome.written) {
            ++failed;
            bar.Clear();
            std::fprintf(stderr, "qrbatch-cli: line %zu: %s\n", index + 1, outcome.reason.c_str());
        }
        bar.Show(index + 1, lines.size());
    });
    bar.Clear();

    std::fprintf(stderr, "qrbatch-cli: %zu lines, %zu written%s, %zu failed, in \"%s\" as %s\n",
                 lines.size(), lines.size() - failed, options.verify ? " and verified" : "", failed,
                 options.outputFolder.c_str(),
                 options.appNames ? "the window's .jpg files" : qrcli::FormatName(options.format));
    return failed == 0 ? kAllWritten : kSomeNotWritten;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    const qrcli::ParsedArguments parsed = qrcli::ParseArguments(args, cores);
    if (const auto* text = std::get_if<qrcli::ShowText>(&parsed)) {
        std::fputs(text->text.c_str(), stdout);
        return kAllWritten;
    }
    if (const auto* usage = std::get_if<qrcli::UsageError>(&parsed)) return Fail(usage->message);
    try {
        return Run(std::get<qrcli::BatchOptions>(parsed));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qrbatch-cli: %s\n", e.what());
        return kSomeNotWritten;
    }
}
