// qrbatch-cli: QR Code images from the command line, one per line of a file or one per text,
// for scripts, servers and CI; with --app-names, the window's batch run without a window.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "batch/run_command.h"
#include "common/process_setup.h"
#include "options/batch_options.h"
#include "sheet_command.h"

int main(int argc, char** argv) {
    qrcommon::PrepareProcess();
#ifdef __GLIBC__
    // Every line allocates and frees the same few buffers (the canvas, zlib's tables): kept
    // for the next line rather than given back and faulted in again page by page.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
    mallopt(M_TRIM_THRESHOLD, 16 << 20);
#endif
    std::vector<std::string> args = qrcommon::ProgramArguments(argc, argv);
    std::string sheetError;
    const auto sheet = qrsheet::TakeSheetOptions(args, sheetError);
    if (!sheetError.empty()) return qrcli::Fail(sheetError);
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    const qrcli::ParsedArguments parsed = qrcli::ParseArguments(args, cores, sheet.has_value());
    if (const auto* text = std::get_if<qrcli::ShowText>(&parsed)) {
        std::fputs(text->text.c_str(), stdout);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fprintf(stderr, "qrbatch-cli: cannot write to standard output: %s\n",
                         std::strerror(errno));
            return qrcli::kSomeNotWritten;
        }
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
