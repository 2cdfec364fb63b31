#include "common/destination.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>

#include "common/path_names.h"
#include "common/windows_calls.h"
#else
#include "scratch_file.h"
#endif

namespace qrcommon {

OwnedFd::~OwnedFd() {
    if (owned_ && fd_ >= 0) ::close(fd_);
}

OwnedFd::OwnedFd(OwnedFd&& other) noexcept : fd_(other.fd_), owned_(other.owned_) {
    other.fd_ = -1;
}

OwnedFd& OwnedFd::operator=(OwnedFd&& other) noexcept {
    if (this != &other) {
        if (owned_ && fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        owned_ = other.owned_;
        other.fd_ = -1;
    }
    return *this;
}

int OwnedFd::Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

namespace {

std::optional<Destination> Fails(std::string& error, const std::string& reason) {
    error = reason;
    return std::nullopt;
}

}  // namespace

#if defined(_WIN32)

namespace {

// The same file: the volume and the file's number on it agree.
bool SameFile(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace

std::optional<Destination> OpenDestination(const std::string& path, std::string& error) {
    Destination destination;
    destination.shown = "\"" + path + "\"";
    if (path == "-") {
        destination.stream = OwnedFd(STDOUT_FILENO, false);
        destination.shown = "standard output";
        return destination;
    }
    const auto wide = WideName(path);
    if (!wide) return Fails(error, std::strerror(EILSEQ));
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Fails(error, "is a folder");
    // A device (NUL, CON, a serial port) or a named pipe is written into; a file is replaced.
    const HANDLE existing =
        CreateFileW(wide->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        const DWORD type = GetFileType(existing);
        const auto out = reinterpret_cast<HANDLE>(_get_osfhandle(STDOUT_FILENO));
        if (type == FILE_TYPE_DISK && out != INVALID_HANDLE_VALUE && SameFile(existing, out)) {
            CloseHandle(existing);
            destination.stream = OwnedFd(STDOUT_FILENO, false);
            return destination;
        }
        if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
            const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(existing), _O_BINARY);
            if (fd < 0) {
                CloseHandle(existing);
                return Fails(error, std::strerror(EMFILE));
            }
            destination.stream = OwnedFd(fd);
            return destination;
        }
        CloseHandle(existing);
    }
    const std::filesystem::path whole = PathOfName(path);
    if (!whole.has_filename()) return Fails(error, "names no file");
    const std::filesystem::path parent = whole.parent_path();
    const std::string folder = parent.empty() ? std::string(".") : NameOfPath(parent);
    int failure = 0;
    auto opened = Folder::Open(folder, failure);
    if (!opened) return Fails(error, "folder \"" + folder + "\": " + std::strerror(failure));
    destination.folder = std::move(*opened);
    destination.name = NameOfPath(whole.filename());
    destination.folderPath = folder;
    return destination;
}

#else

namespace {

bool IsStandardOutput(const struct stat& file) {
    struct stat out {};
    return ::fstat(STDOUT_FILENO, &out) == 0 && out.st_dev == file.st_dev &&
           out.st_ino == file.st_ino;
}

}  // namespace

std::optional<Destination> OpenDestination(const std::string& path, std::string& error) {
    Destination destination;
    destination.shown = "\"" + path + "\"";
    struct stat file {};
    const bool exists = ::stat(path.c_str(), &file) == 0;
    if (path == "-" || (exists && IsStandardOutput(file))) {
        destination.stream = OwnedFd(STDOUT_FILENO, false);
        if (path == "-") destination.shown = "standard output";
        return destination;
    }
    if (!exists && errno != ENOENT) return Fails(error, std::strerror(errno));
    if (exists && S_ISDIR(file.st_mode)) return Fails(error, "is a folder");
    if (exists && S_ISFIFO(file.st_mode)) {
        // Opening a pipe for writing waits for a reader; without one there is nothing to wait
        // for.
        const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return Fails(error,
                         errno == ENXIO ? "a pipe that nothing reads from" : std::strerror(errno));
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        destination.stream = OwnedFd(fd);
        return destination;
    }
    if (exists && (S_ISCHR(file.st_mode) || S_ISBLK(file.st_mode))) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return Fails(error, std::strerror(errno));
        destination.stream = OwnedFd(fd);
        return destination;
    }
    if (exists && !S_ISREG(file.st_mode)) return Fails(error, "is neither a file nor a device");

    // A file, or nothing yet: replaced where a link leads, so the link stays.
    const std::string target = qrplat::ResolveLinks(path);
    const std::string folder = qrplat::FolderOf(target);
    int failure = 0;
    auto opened = Folder::Open(folder, failure);
    if (!opened) return Fails(error, "folder \"" + folder + "\": " + std::strerror(failure));
    destination.folder = std::move(*opened);
    destination.name = qrplat::NameOf(target);
    destination.folderPath = folder;
    if (destination.name.empty()) return Fails(error, "names no file");
    return destination;
}

#endif

std::optional<std::string> WrongExtension(const std::string& path, std::string_view extension,
                                          std::string_view format) {
#if defined(_WIN32)
    constexpr const char* kSeparators = "/\\:";
#else
    constexpr const char* kSeparators = "/";
#endif
    const std::string_view name = std::string_view(path).substr(path.find_last_of(kSeparators) + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return std::nullopt;  // none, or ".hidden"
    const std::string_view given = name.substr(dot + 1);
    const bool same =
        std::equal(given.begin(), given.end(), extension.begin(), extension.end(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    if (same) return std::nullopt;
    return "-o \"" + path + "\": the name ends in ." + std::string(given) +
           ", but the file holds " + std::string(format) + "; end it in ." + std::string(extension);
}

}  // namespace qrcommon
