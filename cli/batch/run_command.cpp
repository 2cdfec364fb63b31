#include "batch/run_command.h"

#include <cstdio>
#include <string>

#include <unistd.h>

#include "batch/batch_run.h"
#include "batch/line_jobs.h"
#include "batch/progress_bar.h"
#include "batch/symbol_reading.h"
#include "common/file_calls.h"
#include "images/bmp_colours.h"
#include "images/symbol_layout.h"
#include "input/input_lines.h"
#include "input/output_setup.h"
#include "input/table_source.h"
#include "input/text_escapes.h"

namespace qrcli {

namespace {

void Say(const std::string& message) {
    std::fprintf(stderr, "qrbatch-cli: %s\n", message.c_str());
}

std::string InputName(const BatchOptions& options) {
    return options.input == "-" ? "standard input" : "\"" + options.input + "\"";
}

uint64_t SizeOfFile(int fd) {
    return qrcommon::RegularFileSize(fd).value_or(0);
}

// made: the lines of this shard (all of them without --shard); unit: line, text or row.
std::string Summary(const BatchOptions& options, size_t lines, size_t made, size_t failed,
                    const std::string& unit) {
    const std::string where =
        options.output == "-" || options.outputKind == OutputKind::kStandardOutput
            ? "to standard output"
            : "in \"" + options.output + "\"";
    const std::string shard = options.shardCount > 1
                                  ? std::to_string(made) + " in shard " +
                                        std::to_string(options.shardIndex) + "/" +
                                        std::to_string(options.shardCount) + ", "
                                  : "";
    return std::to_string(lines) + " " + unit + "s, " + shard + std::to_string(made - failed) +
           " written" + (options.verify ? " and verified" : "") + ", " + std::to_string(failed) +
           " failed, " + where + " as " +
           (options.outputKind == OutputKind::kArchive
                ? std::string("a ") + ArchiveName(options.archive) + " archive of "
                : "") +
           (options.appNames ? "the window's .jpg files" : FormatName(options.format));
}

}  // namespace

int Fail(const std::string& message) {
    Say(message);
    return kUsageError;
}

int RunCommand(BatchOptions options) {
    if (const auto meet = BmpColoursMeet(options)) return Fail(*meet);
    if (options.verify && !CanReadSymbols()) {
        return Fail("--verify: this build has no QR reader to read the images back with");
    }
    std::string error;
    auto output = PrepareOutput(options, error);
    if (!output) return Fail(error);
    int input = -1;
    if (options.texts.empty()) {
        input = OpenInput(options.input, error);
        if (input < 0) return Fail("cannot read the input " + InputName(options) + ": " + error);
    }
    std::unique_ptr<TableSource> table;
    if (input >= 0 && ReadsTable(options)) {
        table = TableSource::Open(options, input, {}, error);
        if (!table && input != STDIN_FILENO) ::close(input);
        if (!table) return Fail("cannot read the input " + InputName(options) + ": " + error);
    }
    if (const auto notice = BmpColourNotice(options)) Say("warning: " + *notice);
    if (const auto note = RasterSizeNote(options)) Say("warning: " + *note);

    const bool single = options.texts.size() == 1;
    const std::string unit = !options.texts.empty() ? "text" : table ? table->Unit() : "line";
    // A code drawn on the terminal shares it with the bar.
    const bool barShown =
        !options.quiet && !single && qrcommon::IsTerminal(STDERR_FILENO) &&
        !(options.outputKind == OutputKind::kStandardOutput && qrcommon::IsTerminal(STDOUT_FILENO));
    ProgressBar bar(stderr, barShown);
    uint64_t inputSize = table        ? table->Total()
                         : input >= 0 ? SizeOfFile(input)
                                      : options.texts.size();
    uint64_t inputDone = 0;
    size_t lines = 0;
    size_t made = 0;  // lines of this shard
    size_t failed = 0;

    BatchRun run(options, *output->target, [&](size_t number, const LineOutcome& outcome) {
        if (!outcome.written) {
            bar.Clear();
            Say((single ? "" : unit + " " + std::to_string(number) + ": ") + outcome.reason);
        }
        failed += outcome.written ? 0 : 1;
        ++made;
        bar.Show(number, inputDone, inputSize);
    });

    std::optional<std::string> readError;
    if (input < 0) {
        for (const std::string& text : options.texts) {
            inputDone = ++lines;
            LineJob job = JobForLine({text, text.size()}, lines, options, output->fileName);
            if (options.escapes && job.failure.empty()) {
                // Named after the text as given; the code holds what it stands for.
                if (auto unescaped = Unescape(job.text, job.failure)) job.text = *unescaped;
            }
            run.Add(std::move(job));
        }
    } else if (table) {
        TableItem item;
        while (table->Next(item)) {
            inputDone = table->Done();
            inputSize = std::max(inputSize, inputDone);
            ++lines;
            run.Add(JobForItem(std::move(item), options, output->fileName));
        }
        readError = table->Error();
        if (input != STDIN_FILENO) ::close(input);
    } else {
        const bool linked = options.splitParts > 1 || options.splitWhenLong;
        LineReader reader(input, !options.appNames,  // the window keeps a mark as text
                          linked ? kHeldLinkedLineBytes : kHeldLineBytes);
        InputLine line;
        while (reader.Next(line)) {
            inputDone = reader.bytesTaken();
            run.Add(JobForLine(std::move(line), ++lines, options, output->fileName));
            line = InputLine{};
        }
        readError = reader.error();
        if (input != STDIN_FILENO) ::close(input);
    }
    run.Finish();
    bar.Clear();
    if (const auto error = output->target->Finish()) {
        Say(*error);
        failed = made;  // none of them is kept
    }

    if (readError) {
        Fail("cannot read the input " + InputName(options) + " after line " +
             std::to_string(lines) + ": " + *readError);
    }
    if (lines == 0) Say("the input has no lines; nothing to write");
    if (const size_t refused = output->target->RefusedNames(); refused > 0) {
        Say("hint: the file system of \"" + options.output + "\" refused " +
            std::to_string(refused) + (refused == 1 ? " name" : " names") +
            " for a character it does not allow; --name safe turns such characters into _");
    }
    // A record of a table may span lines: the records are counted as rows.
    const bool rows = table && options.inputFormat != InputFormat::kLines;
    if (!options.quiet && !single) Say(Summary(options, lines, made, failed, rows ? "row" : unit));
    if (readError) return kUsageError;
    return failed == 0 ? kAllWritten : kSomeNotWritten;
}

}  // namespace qrcli
