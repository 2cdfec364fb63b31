#include "input/output_target.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace qrcli {

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::optional<std::string> StandardOutput::Write(const std::string&,
                                                 std::span<const uint8_t> bytes) {
    if (!WriteAll(fd_, bytes)) return "cannot write to " + shown_ + ": " + std::strerror(errno);
    last_.assign(bytes.begin(), bytes.end());
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> StandardOutput::Read(const std::string&) const {
    return last_;
}

}  // namespace qrcli
