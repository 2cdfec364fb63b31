#include "sheet_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <span>

#include <sys/stat.h>

#include "line_stream.h"

namespace qrsheet {

namespace {

constexpr int kAllPlaced = 0;
constexpr int kSomeNotPlaced = 1;
constexpr int kCannotRun = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "qrbatch-cli: %s\n", message.c_str());
    return kCannotRun;
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

}  // namespace

int RunSheets(const SheetArguments& sheet, const std::string& input, const std::string& output,
              const qr::SymbolParams& symbol) {
    struct stat status {};
    if (::stat(output.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return Fail("output " + Quoted(output) + " is a folder; --sheet writes one PDF file");
    }
    const bool standardInput = input == "-";
    const std::string inputName = standardInput ? "standard input" : Quoted(input);
    std::FILE* in = standardInput ? stdin : std::fopen(input.c_str(), "rb");
    if (in == nullptr)
        return Fail("cannot read the input " + inputName + ": " + std::strerror(errno));
    std::string error;
    auto document = SheetDocument::Create(output, sheet.layout, sheet.style, error);
    if (!document) {
        if (!standardInput) std::fclose(in);
        return Fail("cannot write " + Quoted(output) + ": " + error);
    }

    LineStream lines(in);
    std::string line;
    size_t count = 0;
    size_t failed = 0;
    while (lines.Next(line)) {
        ++count;
        const std::span bytes(reinterpret_cast<const uint8_t*>(line.data()), line.size());
        const auto encoded = qr::EncodeSymbol(bytes, symbol);
        if (!encoded) {
            ++failed;
            std::fprintf(stderr,
                         "qrbatch-cli: line %zu: the text (%zu bytes) does not fit version 40 "
                         "at level %c; its label stays blank\n",
                         count, line.size(), "LMQH"[symbol.ecLevel & 3]);
        }
        document->AddLabel(encoded ? &encoded->matrix : nullptr, line);
        if (auto problem = document->TakeProblem()) {
            std::fprintf(stderr, "qrbatch-cli: %s\n", problem->c_str());
        }
    }
    const bool readFailed = lines.Failed();
    const int readErrno = errno;
    if (!standardInput) std::fclose(in);
    if (readFailed) {
        return Fail("cannot read the input " + inputName + ": " + std::strerror(readErrno) +
                    "; no PDF written");
    }
    if (count == 0) {
        std::fprintf(stderr, "qrbatch-cli: the input has no lines; nothing to write\n");
        return kAllPlaced;
    }
    if (const auto problem = document->Finish()) {
        return Fail("cannot write " + Quoted(output) + ": " + *problem);
    }
    std::fprintf(stderr,
                 "qrbatch-cli: %zu lines, %zu placed, %zu failed, on %d pages of %s in %s\n", count,
                 count - failed, failed, document->Pages(), sheet.layoutName.c_str(),
                 Quoted(output).c_str());
    return failed == 0 ? kAllPlaced : kSomeNotPlaced;
}

}  // namespace qrsheet
