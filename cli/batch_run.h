// The batch: every line through encoding, drawing, writing and (asked for) reading back, on a
// number of worker threads. The encoder and the drawing are pure, so the threads share only
// the output folder and the list of results; the files do not depend on the number of jobs.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "batch_options.h"
#include "output_folder.h"

namespace qrcli {

struct LineOutcome {
    bool written = false;  // and verified, when asked
    std::string reason;    // why not
};

// Called on the calling thread, in line order, as soon as a line and all before it are done.
using LineDone = std::function<void(size_t lineIndex, const LineOutcome& outcome)>;

// One line from the text to its file.
LineOutcome ProcessLine(const std::string& line, const BatchOptions& options, OutputFolder& folder);

// All lines. Equal lines name the same file and would race for it, so each distinct text is
// made once and its outcome stands for every copy.
std::vector<LineOutcome> RunLines(const std::vector<std::string>& lines,
                                  const BatchOptions& options, OutputFolder& folder,
                                  const LineDone& onLineDone);

}  // namespace qrcli
