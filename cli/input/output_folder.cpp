#include "input/output_folder.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrcli {

std::unique_ptr<OutputFolder> OutputFolder::Open(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENOTDIR ? "is not a folder" : std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<OutputFolder>(new OutputFolder(fd));
}

OutputFolder::~OutputFolder() {
    ::close(fd_);
}

std::optional<std::string> OutputFolder::Write(const std::string& name,
                                               std::span<const uint8_t> bytes) {
    const std::lock_guard oneAtATime(making_);
    // Nothing there yet: nothing to protect, so the file is made in place (a rename less).
    const int direct = ::openat(fd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (direct >= 0) {
        const bool written = WriteAll(direct, bytes);
        int error = written ? 0 : errno;
        if (::close(direct) != 0 && written) error = errno;
        if (error == 0) return std::nullopt;
        ::unlinkat(fd_, name.c_str(), 0);  // ours, and incomplete
        return std::string(std::strerror(error));
    }
    if (errno != EEXIST) return std::string(std::strerror(errno));
    return Replace(name, bytes);
}

std::optional<std::string> OutputFolder::Replace(const std::string& name,
                                                 std::span<const uint8_t> bytes) {
    // A short name of our own beside the target (a long line could not take a suffix), made
    // exclusively so that no file already there is touched.
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = ".qrbatch-" + std::to_string(::getpid()) + "-" +
                    std::to_string(nextTemporary_.fetch_add(1)) + ".part";
        fd = ::openat(fd_, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return std::string(std::strerror(errno));

    bool ok = WriteAll(fd, bytes);
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::renameat(fd_, temporary.c_str(), fd_, name.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (ok) return std::nullopt;
    ::unlinkat(fd_, temporary.c_str(), 0);
    return std::string(std::strerror(error));
}

std::optional<std::vector<uint8_t>> OutputFolder::Read(const std::string& name) const {
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return bytes;
}

}  // namespace qrcli
