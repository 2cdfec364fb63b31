#include "common/file_calls.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <sched.h>
#endif
#if defined(_WIN32)
#include <io.h>
#include <windows.h>

#include "common/windows_calls.h"
#endif

namespace qrcommon {

#if defined(_WIN32)

int OpenToRead(const std::string& path) {
    const auto wide = WideName(path);
    if (!wide) {
        errno = EILSEQ;
        return -1;
    }
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        errno = EISDIR;
        return -1;
    }
    // Shared for writing too: a list another program still appends to reads as on Linux.
    const HANDLE file = CreateFileW(wide->c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno = ErrnoOf(GetLastError());
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(file);
        errno = EMFILE;
    }
    return fd;
}

int DuplicateDescriptor(int fd) {
    const int copy = _dup(fd);
    if (copy >= 0) _setmode(copy, _O_BINARY);
    return copy;
}

int SyncDescriptor(int fd) {
    return _commit(fd);
}

std::optional<uint64_t> RegularFileSize(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
}

void OwnDescriptorTable() {}

bool IsTerminal(int fd) {
    // _isatty answers true for the null device as well; only a console has a console mode.
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

#else

int OpenToRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        return -1;
    }
    return fd;
}

int DuplicateDescriptor(int fd) {
    return ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

int SyncDescriptor(int fd) {
    return ::fsync(fd);
}

std::optional<uint64_t> RegularFileSize(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<uint64_t>(info.st_size);
}

void OwnDescriptorTable() {
#if defined(__linux__)
    ::unshare(CLONE_FILES);  // when refused, the shared table serves as before
#endif
}

bool IsTerminal(int fd) {
    return ::isatty(fd) != 0;
}

#endif

}  // namespace qrcommon
