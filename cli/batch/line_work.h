// The work of one line: its symbol and image made, then the file written and (asked for) read
// back. The two steps can run on different threads: any number of lines are made at once,
// while their files are written one at a time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "batch/line_jobs.h"
#include "images/symbol_layout.h"
#include "input/output_target.h"
#include "options/batch_options.h"

namespace qrcli {

struct LineOutcome {
    bool written = false;  // and verified, when asked
    std::string reason;    // why not
};

struct MadeFile {
    LaidOutSymbol laid;
    std::vector<uint8_t> bytes;
};

// One file, or one per linked symbol (named by PartFileName).
struct MadeImage {
    std::vector<MadeFile> files;
    size_t Size() const;
};

// Nothing, with outcome.reason, when the line fails before writing.
std::optional<MadeImage> MakeImage(const LineJob& job, const BatchOptions& options,
                                   LineOutcome& outcome);

// Whether --verify checks the bytes made rather than the file read back: an archive's entries
// hold exactly those bytes, and a line made before is not written again.
bool ChecksMadeBytes(const LineJob& job, const OutputTarget& target);

// The check of --verify on the bytes made; false, with outcome.reason, when they fail it.
bool CheckMadeImage(const LineJob& job, const MadeImage& image, const BatchOptions& options,
                    LineOutcome& outcome);

// Writes the image and, asked for, checks the file (unless ChecksMadeBytes, checked before);
// fills in the outcome.
void WriteImage(const LineJob& job, const MadeImage& image, const BatchOptions& options,
                OutputTarget& target, LineOutcome& outcome);

// Both steps.
LineOutcome ProcessLine(const LineJob& job, const BatchOptions& options, OutputTarget& target);

}  // namespace qrcli
