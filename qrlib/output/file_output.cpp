#include "file_output.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <random>
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

namespace {

// How many names to try when another file already holds the one drawn.
constexpr int kNameAttempts = 100;

// Bits that another program cannot foresee, so it cannot place a file (or a link, or a pipe)
// at the temporary name first. The clock, the process and a counter go in as well, so that two
// processes, or two calls in one, never draw alike even without a random source.
uint64_t UnforeseeableBits() {
    static std::atomic<uint64_t> calls{0};
    uint64_t bits = ++calls * 0x9E3779B97F4A7C15ULL;
    bits ^= static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#if defined(_WIN32)
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    bits ^= static_cast<uint64_t>(counter.QuadPart) * 0xBF58476D1CE4E5B9ULL;
    bits ^= static_cast<uint64_t>(GetCurrentProcessId()) << 40;
#else
    bits ^= static_cast<uint64_t>(getpid()) << 40;
    try {
        std::random_device device;
        bits ^= (static_cast<uint64_t>(device()) << 32) ^ device();
    } catch (...) {  // no random source: the clock, the process and the counter still differ
    }
#endif
    // A 64-bit finaliser, so that every input bit reaches every letter of the name.
    bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9ULL;
    bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBULL;
    return bits ^ (bits >> 31);
}

// A fresh temporary path in the folder of `path`. The name is short, so it fits wherever the
// final name fits, and hidden; the rename into place needs it on the same file system.
std::string TemporaryBeside(const std::string& path) {
#if defined(_WIN32)
    const size_t cut = path.find_last_of("/\\:");
#else
    const size_t cut = path.find_last_of('/');
#endif
    std::string temporary = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    temporary += ".qr";
    static constexpr char kLetters[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    uint64_t bits = UnforeseeableBits();
    for (int i = 0; i < 8; ++i) {
        temporary += kLetters[bits % 62];
        bits /= 62;
    }
    return temporary;
}

}  // namespace

#if defined(_WIN32)

bool WriteWholeFile(const char* path, std::span<const std::span<const uint8_t>> parts) {
    if (path == nullptr || *path == '\0') return false;
    // Only a file this call creates is ever written: an existing one makes it draw a new name.
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < kNameAttempts && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = TemporaryBeside(path);
        file = CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_SUCCESS && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
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
    // Only a file this call creates is ever written: an existing one (a link, a pipe, another
    // writer's temporary file) makes it draw a new name. The mode is 0666 less the umask.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        temporary = TemporaryBeside(path);
        fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
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
