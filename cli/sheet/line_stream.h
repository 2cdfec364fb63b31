// Lines read as they arrive, so that a sheet's pages go out while its input is still coming
// and a batch of any length takes flat memory. Lines end at CR LF or at a bare LF; a lone CR
// is part of the text; the piece after the last ending counts only when it is not empty.
#pragma once

#include <cstdio>
#include <string>

namespace qrsheet {

class LineStream {
  public:
    explicit LineStream(std::FILE* file) : file_(file) {}
    ~LineStream();
    LineStream(const LineStream&) = delete;
    LineStream& operator=(const LineStream&) = delete;

    // The next line without its ending; false at the end of the input or on a read error.
    bool Next(std::string& line);
    bool Failed() const { return failed_; }

  private:
    std::FILE* file_;
    char* data_ = nullptr;  // getdelim's buffer, grown to the longest line
    size_t capacity_ = 0;
    bool failed_ = false;
};

}  // namespace qrsheet
