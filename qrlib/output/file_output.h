// Writing a whole output file so that a failed write leaves no file behind.
#pragma once

#include <cstdint>
#include <span>

namespace qrlib {

// Removes any file at the path (the old picture is gone whatever happens next).
void DeleteExisting(const char* path);

// Writes the parts one after another into a new file at the path. The bytes go to a temporary
// file beside it, created afresh under a short random name, that is renamed into place once
// complete: a failure (or a crash) never leaves a partial file at the path, and two writers of
// one path each rename a whole file of their own. A failure removes the temporary file. False
// when the file could not be created or written.
bool WriteWholeFile(const char* path, std::span<const std::span<const uint8_t>> parts);

}  // namespace qrlib
