// A file for spill-over that no one else sees and that is gone once closed, even after a kill,
// read and written at given offsets by several threads without a shared file position.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qrcommon {

// Its descriptor, or -1 when the temporary folder takes no file.
int OpenTemporaryFile();

// As many bytes as one call moves at the offset (fewer near the end or when interrupted), 0 at
// the end, -1 with errno on failure.
long long ReadAt(int fd, void* data, size_t size, uint64_t offset);
long long WriteAt(int fd, const void* data, size_t size, uint64_t offset);

}  // namespace qrcommon
