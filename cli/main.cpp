// qrbatch-cli: QR Code images from the command line, one per line of a file or one per text,
// for scripts, servers and CI; with --app-names, the window's batch run without a window.
#include <cstdio>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "batch_options.h"
#include "run_command.h"
#include "sheet_command.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string sheetError;
    const auto sheet = qrsheet::TakeSheetOptions(args, sheetError);
    if (!sheetError.empty()) return qrcli::Fail(sheetError);
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    const qrcli::ParsedArguments parsed = qrcli::ParseArguments(args, cores);
    if (const auto* text = std::get_if<qrcli::ShowText>(&parsed)) {
        std::fputs(text->text.c_str(), stdout);
        return qrcli::kAllWritten;
    }
    if (const auto* usage = std::get_if<qrcli::UsageError>(&parsed)) {
        return qrcli::Fail(usage->message);
    }
    try {
        const auto& options = std::get<qrcli::BatchOptions>(parsed);
        return sheet ? qrsheet::RunSheetCommand(*sheet, options) : qrcli::RunCommand(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "qrbatch-cli: %s\n", e.what());
        return qrcli::kSomeNotWritten;
    }
}
