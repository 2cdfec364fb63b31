#include "file_output.h"

#include <cerrno>
#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qrlib {

void DeleteExisting(const char* path) {
    if (path == nullptr) return;
#if defined(_WIN32)
    DeleteFileA(path);
#else
    unlink(path);
#endif
}

#if defined(_WIN32)

bool WriteWholeFile(const char* path, std::span<const std::span<const uint8_t>> parts) {
    if (path == nullptr || *path == '\0') return false;
    const std::string temporary = std::string(path) + ".part";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (const auto& part : parts) {
        size_t done = 0;
        while (ok && done < part.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(part.size() - done, 1U << 30));
            ok = WriteFile(file, part.data() + done, chunk, &written, nullptr) && written == chunk;
            done += written;
        }
    }
    ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

#else

bool WriteWholeFile(const char* path, std::span<const std::span<const uint8_t>> parts) {
    if (path == nullptr || *path == '\0') return false;
    const std::string temporary = std::string(path) + ".part";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    for (const auto& part : parts) {
        size_t done = 0;
        while (ok && done < part.size()) {
            const ssize_t n = write(fd, part.data() + done, part.size() - done);
            if (n < 0 && errno == EINTR) continue;
            ok = n > 0;
            if (ok) done += static_cast<size_t>(n);
        }
    }
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), path) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

#endif

}  // namespace qrlib
