#include "sheet_run.h"

#include <cstdio>

#include "common/path_names.h"
#include "font_chain.h"
#include "label_encoding.h"

namespace qrsheet {

namespace {

constexpr int kAllPlaced = 0;
constexpr int kSomeNotPlaced = 1;
constexpr int kCannotRun = 2;

void Say(const std::string& message) {
    std::fprintf(stderr, "qrbatch-cli: %s\n", message.c_str());
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

}  // namespace

int RunSheets(const SheetArguments& sheet, SheetInput& input, const std::string& output,
              const qr::SymbolParams& symbol, int jobs, bool quiet) {
    if (qrcommon::IsFolder(output)) {
        Say("output " + Quoted(output) + " is a folder; --sheet writes one PDF file");
        return kCannotRun;
    }
    std::string error;
    // A family asked for that is not there is a mistake in the command, not in a line.
    if (sheet.style.captionLayout != CaptionLayout::kNone &&
        !FontChain::Open(sheet.style.captionFamily, error)) {
        Say("--sheet-font: " + error);
        return kCannotRun;
    }
    auto destination = qrcommon::OpenDestination(output, error);
    if (!destination) {
        Say("cannot write " + Quoted(output) + ": " + error);
        return kCannotRun;
    }
    const std::string where = output == "-" ? "to standard output" : "in " + Quoted(output);
    if (!destination->IsStream()) {
        if (const auto wrong = qrcommon::WrongExtension(output, "pdf", "a PDF")) {
            Say(*wrong);
            return kCannotRun;
        }
    }
    auto document =
        SheetDocument::Create(std::move(*destination), sheet.layout, sheet.style, error);
    if (!document) {
        Say("cannot write " + Quoted(output) + ": " + error);
        return kCannotRun;
    }

    EncodedLabels labels(input, symbol, jobs);
    EncodedLabel label;
    size_t count = 0;
    size_t failed = 0;
    while (labels.Next(label)) {
        ++count;
        SheetLine& line = label.line;
        std::optional<qr::EncodedSymbol>& encoded = label.symbol;
        const std::string where =
            std::string(input.Unit()) + " " + std::to_string(line.number ? line.number : count);
        if (line.failure.empty() && !encoded) {
            line.failure = "the text (" + std::to_string(line.text.size()) +
                           " bytes) does not fit version 40 at level " + "LMQH"[symbol.ecLevel & 3];
        }
        if (auto captionFailure =
                document->AddLabel(encoded ? &encoded->matrix : nullptr, line.caption)) {
            line.failure = *captionFailure;
            encoded.reset();
        }
        if (!encoded) {
            ++failed;
            Say(where + ": " + line.failure + "; its label stays blank");
        }
        if (auto problem = document->TakeProblem()) {
            Say("warning: " + where + ": " + *problem);
        }
    }
    if (const auto reading = input.Error()) {
        Say("cannot read the input: " + *reading + "; no PDF written");
        return kCannotRun;
    }
    if (count == 0) {
        Say("the input has no lines; nothing to write");
        return kAllPlaced;
    }
    if (const auto problem = document->Finish()) {
        Say("cannot write " + Quoted(output) + ": " + *problem);
        return kCannotRun;
    }
    if (quiet) return failed == 0 ? kAllPlaced : kSomeNotPlaced;
    Say(std::to_string(count) + " lines, " + std::to_string(count - failed) + " placed, " +
        std::to_string(failed) + " failed, on " + std::to_string(document->Pages()) + " pages of " +
        sheet.layoutName + " " + where);
    return failed == 0 ? kAllPlaced : kSomeNotPlaced;
}

}  // namespace qrsheet
