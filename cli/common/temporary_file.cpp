#include "common/temporary_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include <unistd.h>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <string>

#include "common/windows_calls.h"
#include "scratch_file.h"
#endif

namespace qrcommon {

#if defined(_WIN32)

namespace {

constexpr int kNameAttempts = 100;
constexpr DWORD kMaxChunk = 1U << 30;

OVERLAPPED At(uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

}  // namespace

int OpenTemporaryFile() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) return -1;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = qrplat::NewScratchName();
        const std::wstring path = folder + std::wstring(name.begin(), name.end());
        // Removed by the system when the last handle goes, however the process ends.
        const HANDLE file = CreateFileW(
            path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            return -1;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR | _O_BINARY);
        if (fd < 0) CloseHandle(file);
        return fd;
    }
    return -1;
}

long long ReadAt(int fd, void* data, size_t size, uint64_t offset) {
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    OVERLAPPED at = At(offset);
    DWORD got = 0;
    if (ReadFile(file, data, static_cast<DWORD>(std::min<size_t>(size, kMaxChunk)), &got, &at))
        return got;
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF) return 0;
    errno = ErrnoOf(error);
    return -1;
}

long long WriteAt(int fd, const void* data, size_t size, uint64_t offset) {
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    OVERLAPPED at = At(offset);
    DWORD written = 0;
    if (WriteFile(file, data, static_cast<DWORD>(std::min<size_t>(size, kMaxChunk)), &written,
                  &at)) {
        return written;
    }
    errno = ErrnoOf(GetLastError());
    return -1;
}

#else

int OpenTemporaryFile() {
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return -1;
    const int fd = ::dup(::fileno(file));
    std::fclose(file);  // the file lives on, unnamed, through fd
    return fd;
}

long long ReadAt(int fd, void* data, size_t size, uint64_t offset) {
    return ::pread(fd, data, size, static_cast<off_t>(offset));
}

long long WriteAt(int fd, const void* data, size_t size, uint64_t offset) {
    return ::pwrite(fd, data, size, static_cast<off_t>(offset));
}

#endif

}  // namespace qrcommon
