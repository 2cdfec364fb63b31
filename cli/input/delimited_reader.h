// Records of a text file read as they come: comma-separated values with quoting (a quoted
// field may hold commas, doubled quotes and line breaks), tab-separated values (no quoting),
// or plain lines (one field each). Only one record is held at a time, and of it only what the
// bounds of table_record.h allow: memory stays flat whatever the input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "input/table_record.h"

namespace qrcli {

enum class Delimiting {
    kCsv,    // ',' between fields, '"' quotes; empty lines are skipped
    kTsv,    // TAB between fields; empty lines are skipped
    kLines,  // the line is the one field; an empty line is a record
};

class DelimitedReader final : public TableReader {
  public:
    // Lines end at CR LF or LF; a lone CR is text. A UTF-8 byte-order mark at the start goes.
    // totalBytes, when known, is the size of the input.
    DelimitedReader(int fd, Delimiting kind, uint64_t totalBytes = 0);

    bool Next(TableRecord& record) override;
    const std::optional<std::string>& error() const override { return error_; }
    uint64_t Done() const override { return bytesRead_ - (end_ - begin_); }
    uint64_t Total() const override { return total_; }

  private:
    static constexpr int kEnd = -1;
    static constexpr int kNoSeparator = -2;  // plain lines: neither a byte nor the end
    int Get() {
        return begin_ < end_ || Fill() ? static_cast<unsigned char>(buffer_[begin_++]) : kEnd;
    }
    int Peek() {
        return begin_ < end_ || Fill() ? static_cast<unsigned char>(buffer_[begin_]) : kEnd;
    }
    bool Fill();  // false at the end of the input
    bool AtLineEnd(int c) { return c == '\n' || (c == '\r' && Peek() == '\n'); }
    void EndLine(int c);  // takes the LF of a CR LF and counts the line
    void Append(TableField& field, int c);
    void Push(TableRecord& record, TableField&& field);
    // A field from its opening quote; c is then the byte after its closing quote.
    void ReadQuoted(TableRecord& record, TableField& field, int& c);

    int fd_;
    Delimiting kind_;
    int separator_;
    uint64_t total_;
    std::vector<char> buffer_ = std::vector<char>(65536);
    size_t begin_ = 0;
    size_t end_ = 0;
    bool ended_ = false;
    bool atStart_ = true;
    uint64_t bytesRead_ = 0;
    uint64_t line_ = 1;
    size_t heldInRecord_ = 0;
    std::optional<std::string> error_;
};

}  // namespace qrcli
