#include "batch/line_jobs.h"

#include "common/archive_file.h"
#include "input/file_naming.h"

namespace qrcli {

LineJob JobForLine(InputLine&& line, size_t number, const BatchOptions& options,
                   const std::string& fileName) {
    LineJob job;
    job.number = number;
    job.otherShard = number % options.shardCount != options.shardIndex;
    uint64_t textLength = line.length;
    std::string nameColumn;
    if (options.inputFormat == InputFormat::kTsv) {
        const size_t tab = line.bytes.find('\t');
        if (tab == std::string::npos) {
            job.failure = "no tab between a name and the text (--input-format tsv)";
            return job;
        }
        nameColumn = line.bytes.substr(0, tab);
        line.bytes.erase(0, tab + 1);
        textLength -= tab + 1;
    }
    if (line.bytes.size() != textLength) {
        // Longer than any symbol holds: only its start was kept.
        const bool linked = options.splitParts > 1 || options.splitWhenLong;
        job.failure = "the text (" + std::to_string(textLength) + " bytes) does not fit " +
                      (linked ? "16 linked symbols of " : "") + "version 40 at level " +
                      LevelName(options.ecLevel);
        return job;
    }
    job.text = std::move(line.bytes);

    if (!fileName.empty()) {
        job.fileName = fileName;
    } else if (options.outputKind != OutputKind::kStandardOutput) {
        const std::string& base = options.inputFormat == InputFormat::kTsv ? nameColumn : job.text;
        if (auto name = FileNameFor(base, number, options, job.failure)) {
            job.fileName = std::move(*name);
        }
        // Known before anything is drawn, and the same for a repeat of the line.
        if (options.outputKind == OutputKind::kArchive && options.archive == ArchiveFormat::kZip &&
            !job.fileName.empty() && !qrcommon::IsUtf8(job.fileName)) {
            job.failure = "\"" + job.fileName + "\": " + qrcommon::kZipNamesAreUtf8;
        }
    }
    return job;
}

LineJob JobForItem(TableItem&& item, const BatchOptions& options, const std::string& fileName) {
    LineJob job;
    job.number = item.line;
    job.failure = std::move(item.failure);
    if (!job.failure.empty()) return job;
    if (item.text.size() != item.textLength) {
        job.failure = "the text (" + std::to_string(item.textLength) +
                      " bytes) does not fit version 40 at level " + LevelName(options.ecLevel);
        return job;
    }
    job.text = std::move(item.text);
    if (!fileName.empty()) {
        job.fileName = fileName;
    } else if (options.outputKind != OutputKind::kStandardOutput) {
        if (auto name = FileNameFor(item.nameBase, item.index, options, job.failure)) {
            job.fileName = std::move(*name);
        }
    }
    return job;
}

}  // namespace qrcli
