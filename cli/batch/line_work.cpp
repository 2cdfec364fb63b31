#include "batch/line_work.h"

#include "batch/written_check.h"
#include "images/image_files.h"
#include "images/line_symbols.h"

namespace qrcli {

size_t MadeImage::Size() const {
    size_t size = 0;
    for (const MadeFile& file : files) size += file.bytes.size();
    return size;
}

std::optional<MadeImage> MakeImage(const LineJob& job, const BatchOptions& options,
                                   LineOutcome& outcome) {
    auto laid = LayOutSymbols(job.text, options, outcome.reason);
    if (!laid) return std::nullopt;
    MadeImage image;
    for (LaidOutSymbol& symbol : *laid) {
        auto bytes = ImageFileBytes(symbol, options, outcome.reason);
        if (!bytes) return std::nullopt;
        image.files.push_back({std::move(symbol), std::move(*bytes)});
    }
    return image;
}

bool ChecksMadeBytes(const LineJob& job, const OutputTarget& target) {
    return target.IsArchive() || job.madeBefore;
}

namespace {

// A linked symbol's file is named after the line's with its place; a single symbol takes the
// line's name. Standard output takes the linked symbols one after another.
std::string FileNameOf(const LineJob& job, const MadeFile& file, bool linked) {
    return linked && !job.fileName.empty() ? PartFileName(job.fileName, file.laid.part + 1)
                                           : job.fileName;
}

std::string_view ShareOf(const LineJob& job, const MadeFile& file) {
    return std::string_view(job.text).substr(file.laid.textBegin, file.laid.textLength);
}

}  // namespace

bool CheckMadeImage(const LineJob& job, const MadeImage& image, const BatchOptions& options,
                    LineOutcome& outcome) {
    const bool linked = image.files.size() > 1;
    for (const MadeFile& file : image.files) {
        if (auto problem = CheckFileBytes(file.bytes, ShareOf(job, file), job.text, file.bytes,
                                          file.laid, options)) {
            outcome.reason =
                linked ? FileNameOf(job, file, linked) + ": " + *problem : std::move(*problem);
            return false;
        }
    }
    return true;
}

void WriteImage(const LineJob& job, const MadeImage& image, const BatchOptions& options,
                OutputTarget& target, LineOutcome& outcome) {
    if (job.madeBefore) {
        outcome.written = true;
        return;
    }
    const bool linked = image.files.size() > 1;
    for (const MadeFile& file : image.files) {
        const std::string name = FileNameOf(job, file, linked);
        if (const auto error = target.Write(name, file.bytes)) {
            outcome.reason = *error;
            return;
        }
        if (options.verify && !ChecksMadeBytes(job, target)) {
            if (auto problem = CheckWrittenFile(target, name, ShareOf(job, file), job.text,
                                                file.bytes, file.laid, options)) {
                outcome.reason = linked ? name + ": " + *problem : std::move(*problem);
                return;
            }
        }
    }
    outcome.written = true;
}

LineOutcome ProcessLine(const LineJob& job, const BatchOptions& options, OutputTarget& target) {
    LineOutcome outcome;
    if (const auto image = MakeImage(job, options, outcome)) {
        if (options.verify && ChecksMadeBytes(job, target) &&
            !CheckMadeImage(job, *image, options, outcome)) {
            return outcome;
        }
        WriteImage(job, *image, options, target, outcome);
    }
    return outcome;
}

}  // namespace qrcli
