#include "scratch_file.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <iterator>
#include <random>
#if defined(__linux__)
#include <sys/vfs.h>
#endif
#endif

namespace qrplat {

namespace {

constexpr std::string_view kPrefix = ".qrbatch-";
constexpr std::string_view kSuffix = ".part";
constexpr size_t kMaxMiddle = 40;
constexpr int kNameAttempts = 100;

uint64_t Mix(uint64_t bits) {
    bits = (bits ^ (bits >> 30)) * 0xBF58476D1CE4E5B9ULL;
    bits = (bits ^ (bits >> 27)) * 0x94D049BB133111EBULL;
    return bits ^ (bits >> 31);
}

// Bits another program cannot foresee, drawn once a process; the clock and the process go in
// as well, so that two processes never draw alike even without a random source.
uint64_t ProcessSeed() {
    static const uint64_t seed = [] {
        uint64_t bits =
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        bits ^= static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())
                << 7;
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
        } catch (...) {  // no random source: the clock and the process still differ
        }
#endif
        return Mix(bits);
    }();
    return seed;
}

bool IsMiddleLetter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
           c == '.';
}

}  // namespace

bool IsScratchName(std::string_view name) {
    if (name.size() <= kPrefix.size() + kSuffix.size() ||
        name.size() > kPrefix.size() + kMaxMiddle + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return false;
    }
    const std::string_view middle =
        name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    return std::all_of(middle.begin(), middle.end(), IsMiddleLetter);
}

std::string NewScratchName() {
    static std::atomic<uint64_t> count{0};
    // Every bit of the seed and the count reaches every letter.
    uint64_t bits = Mix(ProcessSeed() + ++count * 0x9E3779B97F4A7C15ULL);
    static constexpr char kLetters[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string name(kPrefix);
    for (int i = 0; i < 10; ++i) {
        name += kLetters[bits % 62];
        bits /= 62;
    }
    return name.append(kSuffix);
}

#if defined(_WIN32)

namespace {

// The find data of the ANSI and the wide calls hold the same fields.
template <typename FindData>
bool IsLeftover(const FindData& found, const FILETIME& now, std::string_view name) {
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    constexpr uint64_t kTicksPerSecond = 10'000'000;  // FILETIME counts 100 ns
    const DWORD skip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if ((found.dwFileAttributes & skip) != 0 || !IsScratchName(name)) return false;
    return ticks(now) - ticks(found.ftLastWriteTime) >= kLeftoverSeconds * kTicksPerSecond;
}

}  // namespace

void RemoveLeftoverScratchFiles(const std::string& folderPrefix) {
    WIN32_FIND_DATAA found{};
    const std::string pattern = folderPrefix + ".qrbatch-*.part";
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    do {
        // A writer holds its file open without sharing, so deleting it fails while it writes.
        if (IsLeftover(found, now, found.cFileName))
            DeleteFileA((folderPrefix + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void RemoveLeftoverScratchFiles(const std::wstring& folderPrefix) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = folderPrefix + L".qrbatch-*.part";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    do {
        // Scratch names are plain letters: a name with any other character is not one.
        const std::wstring wide = found.cFileName;
        if (std::any_of(wide.begin(), wide.end(), [](wchar_t c) { return c >= 0x80; })) continue;
        const std::string name(wide.begin(), wide.end());
        if (IsLeftover(found, now, name)) DeleteFileW((folderPrefix + wide).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

#else

int CreateScratchFile(int folder, std::string& name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = NewScratchName();
        const int fd = ::openat(folder, name.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;  // someone else's: draw again
        if (fd < 0) return -1;
        // Held while the descriptor is open: the mark of a live writer.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        return fd;
    }
    errno = EEXIST;
    return -1;
}

void RemoveLeftoverScratchFiles(int folder) {
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0) return;
    DIR* entries = ::fdopendir(listed);
    if (entries == nullptr) {
        ::close(listed);
        return;
    }
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(entries)) {
        if (!IsScratchName(entry->d_name)) continue;
        struct stat seen {};
        if (::fstatat(folder, entry->d_name, &seen, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(seen.st_mode) || now - seen.st_mtime < kLeftoverSeconds) {
            continue;
        }
        const int fd =
            ::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat opened {};
        // Only when no writer holds it, and it is still the file looked at.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
            opened.st_ino == seen.st_ino && opened.st_dev == seen.st_dev) {
            ::unlinkat(folder, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(entries);
}

namespace {

// 0, or the errno of the write that failed.
int WriteParts(int fd, std::span<const std::span<const uint8_t> > parts) {
    for (const auto& part : parts) {
        size_t done = 0;
        while (done < part.size()) {
            const ssize_t n = ::write(fd, part.data() + done, part.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            if (n == 0) return EIO;
            done += static_cast<size_t>(n);
        }
    }
    return 0;
}

void SyncFolder(int folder) {
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed >= 0) {
        ::fsync(listed);
        ::close(listed);
    }
}

int ReplaceThroughScratchFile(int folder, const std::string& name,
                              std::span<const std::span<const uint8_t> > parts,
                              ReplaceOptions options) {
    std::string scratch;
    const int fd = CreateScratchFile(folder, scratch);
    if (fd < 0) return errno;
    int error = 0;
    if (options.mode >= 0 && ::fchmod(fd, static_cast<mode_t>(options.mode)) != 0) error = errno;
    if (error == 0) error = WriteParts(fd, parts);
    if (error == 0 && options.durable && ::fsync(fd) != 0) error = errno;
    // Some file systems report a failed write only here. The lock goes with the descriptor; a
    // fresh file is no leftover for a minute, time enough for the rename.
    if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error == 0 && ::renameat(folder, scratch.c_str(), folder, name.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlinkat(folder, scratch.c_str(), 0);
        return error;
    }
    if (options.durable) SyncFolder(folder);  // the rename itself
    return 0;
}

#if defined(O_TMPFILE)

constexpr int kNoUnnamedFile = -1;

// The unnamed file of fd as a path, for a link made through /proc: the calling thread's
// descriptor, as a thread may have a table of its own.
struct UnnamedPath {
    explicit UnnamedPath(int fd) {
        std::snprintf(text, sizeof text, "/proc/thread-self/fd/%d", fd);
    }
    char text[40];
};

// Names the unnamed file of fd. Straight from the descriptor where the kernel lets this
// process (it asks for a privilege most users lack: tried once), otherwise through /proc.
bool LinkUnnamed(int fd, int folder, const std::string& name) {
    static std::atomic<bool> fromDescriptor{true};
    if (fromDescriptor.load(std::memory_order_relaxed)) {
        if (::linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) return true;
        if (errno != ENOENT && errno != EPERM) return false;
        fromDescriptor.store(false, std::memory_order_relaxed);
    }
    return ::linkat(AT_FDCWD, UnnamedPath(fd).text, folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Gives the unnamed file a fresh scratch name beside the final one, put in scratch. Its bytes
// are all in before it has a name, and a fresh file is no leftover for a minute, so no lock is
// needed until the rename. False when it cannot be linked.
bool LinkAsScratchFile(int folder, const char* unnamed, std::string& scratch) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        scratch = NewScratchName();
        if (::linkat(AT_FDCWD, unnamed, folder, scratch.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) return false;  // otherwise someone else's: draw again
    }
    return false;
}

// Writes the file without a name and names it only once whole, so that a kill before the
// name leaves nothing at all. A file already under the name is replaced through a scratch name
// and a rename. kNoUnnamedFile when the file system or the name asks for the scratch file way
// (no unnamed files there, no /proc to name one through, a name it refuses).
int ReplaceThroughUnnamedFile(int folder, const std::string& name,
                              std::span<const std::span<const uint8_t> > parts,
                              ReplaceOptions options) {
    const int fd = ::openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) return kNoUnnamedFile;
    int error = 0;
    if (options.mode >= 0 && ::fchmod(fd, static_cast<mode_t>(options.mode)) != 0) error = errno;
    if (error == 0) error = WriteParts(fd, parts);
    if (error == 0 && options.durable && ::fsync(fd) != 0) error = errno;
    if (error != 0) {
        ::close(fd);
        return error;
    }
    const bool named = LinkUnnamed(fd, folder, name);
    std::string scratch;
    if (!named && (errno != EEXIST || !LinkAsScratchFile(folder, UnnamedPath(fd).text, scratch))) {
        ::close(fd);
        return kNoUnnamedFile;
    }
    struct stat written {};
    if (named && !options.closeCannotFail) ::fstat(fd, &written);
    // Some file systems report a failed write only here.
    if (::close(fd) != 0 && errno != EINTR) {
        error = errno;
        struct stat there {};
        if (!named) {
            ::unlinkat(folder, scratch.c_str(), 0);
        } else if (!options.closeCannotFail &&
                   ::fstatat(folder, name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
                   there.st_ino == written.st_ino && there.st_dev == written.st_dev) {
            ::unlinkat(folder, name.c_str(), 0);  // ours, and nothing was there before it
        }
        return error;
    }
    if (!named && ::renameat(folder, scratch.c_str(), folder, name.c_str()) != 0) {
        error = errno;
        ::unlinkat(folder, scratch.c_str(), 0);
        return error;
    }
    if (options.durable) SyncFolder(folder);
    return 0;
}

#endif

}  // namespace

bool CloseReportsNoWriteErrors(int folder) {
#if defined(__linux__)
    // Their files have no flush at close; a network or user-space file system sends the bytes
    // then.
    constexpr unsigned long kWrittenAtWrite[] = {0x01021994 /* tmpfs */, 0xEF53 /* ext2-4 */,
                                                 0x58465342 /* xfs */, 0x9123683E /* btrfs */};
    struct statfs info {};
    if (::fstatfs(folder, &info) != 0) return false;
    const auto type = static_cast<unsigned long>(info.f_type);
    return std::find(std::begin(kWrittenAtWrite), std::end(kWrittenAtWrite), type) !=
           std::end(kWrittenAtWrite);
#else
    (void)folder;
    return false;
#endif
}

int ReplaceFile(int folder, const std::string& name,
                std::span<const std::span<const uint8_t> > parts, ReplaceOptions options) {
#if defined(O_TMPFILE)
    const int error = ReplaceThroughUnnamedFile(folder, name, parts, options);
    if (error != kNoUnnamedFile) return error;
#endif
    return ReplaceThroughScratchFile(folder, name, parts, options);
}

int ReplaceFileAtPath(const std::string& path, std::span<const std::span<const uint8_t> > parts,
                      ReplaceOptions options) {
    const std::string file = ResolveLinks(path);
    const int folder = ::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return errno;
    RemoveLeftoverScratchFiles(folder);
    const int error = ReplaceFile(folder, NameOf(file), parts, options);
    ::close(folder);
    return error;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ResolveLinks(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
        std::string target(4096, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<size_t>(length) >= target.size()) return path;
        target.resize(static_cast<size_t>(length));
        path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
    }
    return path;
}

#endif

}  // namespace qrplat
