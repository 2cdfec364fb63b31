// One run of the tool for arguments already read: the output made ready, the lines read and
// made as they come, each failure reported, the summary, the exit status.
#pragma once

#include "options/batch_options.h"

namespace qrcli {

inline constexpr int kAllWritten = 0;
inline constexpr int kSomeNotWritten = 1;
inline constexpr int kUsageError = 2;

int RunCommand(BatchOptions options);

// "qrbatch-cli: message" on standard error; returns kUsageError.
int Fail(const std::string& message);

}  // namespace qrcli
