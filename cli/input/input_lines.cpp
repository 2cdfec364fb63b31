#include "input/input_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "common/file_calls.h"

namespace qrcli {

bool LineReader::ReadMore() {
    if (ended_) return false;
    if (begin_ == end_) begin_ = end_ = 0;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error_ = std::strerror(errno);
        if (got <= 0) {
            ended_ = true;
            return false;
        }
        end_ += static_cast<size_t>(got);
        bytesRead_ += static_cast<size_t>(got);
        return true;
    }
}

void LineReader::DropByteOrderMark() {
    static constexpr char kMark[] = "\xEF\xBB\xBF";
    while (end_ < 3 && ReadMore()) {
    }  // a pipe may bring the mark in pieces
    if (end_ >= 3 && std::memcmp(buffer_.data(), kMark, 3) == 0) begin_ = 3;
}

bool LineReader::Next(InputLine& line) {
    if (atStart_ && dropMark_) DropByteOrderMark();
    atStart_ = false;
    line.bytes.clear();
    line.length = 0;
    bool endsInCr = false;  // the line's last byte so far, which is not always held
    for (;;) {
        if (begin_ == end_ && !ReadMore()) break;
        const char* from = buffer_.data() + begin_;
        const auto* newline = static_cast<const char*>(std::memchr(from, '\n', end_ - begin_));
        const size_t taken = newline ? static_cast<size_t>(newline - from) : end_ - begin_;
        if (taken > 0) {
            const size_t room = held_ > line.bytes.size() ? held_ - line.bytes.size() : 0;
            line.bytes.append(from, std::min(taken, room));
            line.length += taken;
            endsInCr = from[taken - 1] == '\r';
        }
        begin_ += taken;
        if (newline) {
            ++begin_;
            if (endsInCr) {  // CR LF: the CR belongs to the ending
                --line.length;
                if (line.bytes.size() > line.length) line.bytes.pop_back();
            }
            return true;
        }
    }
    return line.length > 0 && !error_;  // the piece after the last ending, when whole
}

int OpenInput(const std::string& name, std::string& error) {
    if (name == "-") return STDIN_FILENO;
    const int fd = qrcommon::OpenToRead(name);
    if (fd < 0) error = std::strerror(errno);
    return fd;
}

}  // namespace qrcli
