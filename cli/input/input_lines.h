// Reading the texts as they come, one per line, split the way the window splits its input
// box. Only one line is held at a time, and of a line longer than any text a symbol holds
// only its start: memory stays flat whatever the size of the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qrcli {

// The longest line held whole: more than a version-40 symbol holds (7,089 digits), with room
// for a name column before it.
inline constexpr size_t kHeldLineBytes = 16384;
// With --split: what 16 linked version-40 symbols hold, with the same room.
inline constexpr size_t kHeldLinkedLineBytes = 16 * kHeldLineBytes;

struct InputLine {
    std::string bytes;    // the line, or its first kHeldLineBytes bytes when longer
    uint64_t length = 0;  // of the whole line, without its ending
    bool Whole() const { return bytes.size() == length; }
};

// Lines end at CR LF or at a bare LF; a lone CR is part of the text. Empty lines between two
// endings count; the piece after the last ending counts only when it is not empty. Bytes are
// passed through unchanged, but for a UTF-8 byte-order mark at the very start when asked.
class LineReader {
  public:
    LineReader(int fd, bool dropByteOrderMark, size_t heldBytes = kHeldLineBytes)
        : fd_(fd), dropMark_(dropByteOrderMark), held_(heldBytes) {}

    // The next line; false at the end of the input or when reading fails (see error()).
    bool Next(InputLine& line);
    // Why reading stopped early, when it did.
    const std::optional<std::string>& error() const { return error_; }
    // The input up to the end of the last line given out.
    uint64_t bytesTaken() const { return bytesRead_ - (end_ - begin_); }

  private:
    bool ReadMore();  // appends to the buffer; false at the end
    void DropByteOrderMark();

    int fd_;
    bool dropMark_;
    size_t held_;
    std::vector<char> buffer_ = std::vector<char>(65536);
    size_t begin_ = 0;
    size_t end_ = 0;
    bool atStart_ = true;
    bool ended_ = false;
    uint64_t bytesRead_ = 0;
    std::optional<std::string> error_;
};

// An input file, or standard input for "-": the descriptor to read, or -1 with the reason.
int OpenInput(const std::string& name, std::string& error);

}  // namespace qrcli
