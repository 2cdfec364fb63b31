// The run's output made ready before any line is read: the folder opened (and made, with
// --mkdir), the folder and name of a single file, or standard output.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/destination.h"
#include "input/output_target.h"
#include "options/batch_options.h"

namespace qrcli {

struct PreparedOutput {
    std::unique_ptr<OutputTarget> target;
    std::string fileName;      // the file of a single code in its folder; empty otherwise
    qrcommon::OwnedFd stream;  // a device or pipe the target writes into, closed with it
};

// Nothing, with the reason, when the output cannot be had. A single code whose -o names an
// existing folder is written into it under the batch's naming: options becomes a folder run.
std::optional<PreparedOutput> PrepareOutput(BatchOptions& options, std::string& error);

}  // namespace qrcli
