#include "batch/line_work.h"

#include "batch/written_check.h"
#include "images/image_files.h"

namespace qrcli {

std::optional<MadeImage> MakeImage(const LineJob& job, const BatchOptions& options,
                                   LineOutcome& outcome) {
    auto laid = LayOutLine(job.text, options, outcome.reason);
    if (!laid) return std::nullopt;
    auto bytes = ImageFileBytes(*laid, options, outcome.reason);
    if (!bytes) return std::nullopt;
    return MadeImage{std::move(*laid), std::move(*bytes)};
}

bool ChecksMadeBytes(const LineJob& job, const OutputTarget& target) {
    return target.IsArchive() || job.madeBefore;
}

bool CheckMadeImage(const LineJob& job, const MadeImage& image, const BatchOptions& options,
                    LineOutcome& outcome) {
    if (auto problem = CheckFileBytes(image.bytes, job.text, image.bytes, image.laid, options)) {
        outcome.reason = std::move(*problem);
        return false;
    }
    return true;
}

void WriteImage(const LineJob& job, const MadeImage& image, const BatchOptions& options,
                OutputTarget& target, LineOutcome& outcome) {
    if (job.madeBefore) {
        outcome.written = true;
        return;
    }
    if (const auto error = target.Write(job.fileName, image.bytes)) {
        outcome.reason = *error;
        return;
    }
    if (options.verify && !ChecksMadeBytes(job, target)) {
        if (auto problem = CheckWrittenFile(target, job.fileName, job.text, image.bytes, image.laid,
                                            options)) {
            outcome.reason = std::move(*problem);
            return;
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
