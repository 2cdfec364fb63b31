#include "line_stream.h"

#include <cstdlib>

#include <sys/types.h>

namespace qrsheet {

LineStream::~LineStream() {
    std::free(data_);
}

bool LineStream::Next(std::string& line) {
    // getdelim returns a line as soon as it is complete, even from a pipe that stays open.
    const ssize_t got = ::getdelim(&data_, &capacity_, '\n', file_);
    if (got <= 0) {
        failed_ = std::ferror(file_) != 0;
        return false;
    }
    auto length = static_cast<size_t>(got);
    if (data_[length - 1] == '\n') {
        --length;
        if (length > 0 && data_[length - 1] == '\r') --length;
    }
    line.assign(data_, length);
    return true;
}

}  // namespace qrsheet
