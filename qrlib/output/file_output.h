// Writing a whole output file so that a failed write leaves no file behind.
#pragma once

#include <cstdint>
#include <span>

namespace qrlib {

// Removes any file at the path (the old picture is gone whatever happens next).
void DeleteExisting(const char* path);

// Writes the parts one after another into a new file at the path. The bytes go to a scratch
// file beside it (scratch_file.h) that is renamed into place once complete: a failure (or a
// crash) never leaves a partial file at the path, and two writers of one path each rename a
// whole file of their own. The first write into a folder removes what killed writers left
// there. False when the file could not be created or written.
bool WriteWholeFile(const char* path, std::span<const std::span<const uint8_t>> parts);

}  // namespace qrlib
