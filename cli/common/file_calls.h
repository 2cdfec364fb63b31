// The calls on open files that Linux and Windows spell differently. Descriptors are the C
// runtime's on both systems (on Windows they stand for handles), so the readers and writers
// above them read and write the same way everywhere. Failures set errno.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qrcommon {

// The file opened for reading, in binary; -1 with errno when it cannot be, EISDIR for a folder.
int OpenToRead(const std::string& path);

// A second descriptor of the same open file, not passed on to other programs; -1 with errno.
int DuplicateDescriptor(int fd);

// Waits until what was written is on the disk: 0, or -1 with errno.
int SyncDescriptor(int fd);

// The size of a regular file; nothing for a pipe, a terminal or a device.
std::optional<uint64_t> RegularFileSize(int fd);

// Gives the calling thread a descriptor table of its own, a copy of the process's: files it
// opens from then on are its alone, and neither it nor the other threads wait on a shared table
// to open, use or close one. Only for a thread that uses no descriptor another thread opens
// later. Nothing on Windows, or where the system refuses.
void OwnDescriptorTable();

// True when the descriptor is a terminal (a console window on Windows) that a person watches.
bool IsTerminal(int fd);

}  // namespace qrcommon
