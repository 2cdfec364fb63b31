#include "input/output_folder.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "scratch_file.h"

namespace qrcli {

std::unique_ptr<OutputFolder> OutputFolder::Open(const std::string& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENOTDIR ? "is not a folder" : std::strerror(errno);
        return nullptr;
    }
    return std::make_unique<OutputFolder>(fd, path);
}

OutputFolder::OutputFolder(int fd, std::string path)
    : fd_(fd), path_(std::move(path)), closeCannotFail_(qrplat::CloseReportsNoWriteErrors(fd_)) {
    qrplat::RemoveLeftoverScratchFiles(fd_);
}

OutputFolder::~OutputFolder() {
    ::close(fd_);
}

std::optional<std::string> OutputFolder::Write(const std::string& name,
                                               std::span<const uint8_t> bytes) {
    const std::span<const uint8_t> parts[] = {bytes};
    const int error = qrplat::ReplaceFile(fd_, name, parts, {.closeCannotFail = closeCannotFail_});
    if (error == 0) return std::nullopt;
    // The scratch name is plain letters: a refusal of the rename is about the final name.
    if (error == EINVAL || error == EILSEQ) ++refusedNames_;
    const std::string shown =
        path_ == "." ? name : path_ + (path_.ends_with('/') ? "" : "/") + name;
    return "cannot create the file \"" + shown + "\": " + std::strerror(error);
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
