#include "input/delimited_reader.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace qrcli {

DelimitedReader::DelimitedReader(int fd, Delimiting kind, uint64_t totalBytes)
    : fd_(fd),
      kind_(kind),
      separator_(kind == Delimiting::kCsv   ? ','
                 : kind == Delimiting::kTsv ? '\t'
                                            : kNoSeparator),
      total_(totalBytes) {}

bool DelimitedReader::Fill() {
    if (ended_) return false;
    begin_ = end_ = 0;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error_ = std::strerror(errno);
        if (got <= 0) {
            ended_ = true;
            return false;
        }
        end_ = static_cast<size_t>(got);
        bytesRead_ += end_;
        return true;
    }
}

void DelimitedReader::EndLine(int c) {
    if (c == '\r') Get();
    ++line_;
}

void DelimitedReader::Append(TableField& field, int c) {
    ++field.length;
    if (field.bytes.size() < kHeldFieldBytes && heldInRecord_ < kHeldRecordBytes) {
        field.bytes.push_back(static_cast<char>(c));
        ++heldInRecord_;
    }
}

void DelimitedReader::Push(TableRecord& record, TableField&& field) {
    if (record.fields.size() < kMaxFields) {
        record.fields.push_back(std::move(field));
    } else if (record.failure.empty()) {
        // Appended piece by piece: GCC 12 warns falsely on the chain of + for 32-bit Windows.
        record.failure = "more than ";
        record.failure += std::to_string(kMaxFields);
        record.failure += " fields";
    }
}

void DelimitedReader::ReadQuoted(TableRecord& record, TableField& field, int& c) {
    const uint64_t opened = line_;
    for (;;) {
        c = Get();
        if (c == kEnd) {
            if (record.failure.empty()) {
                record.failure =
                    "the quoted field opened on line " + std::to_string(opened) + " is not closed";
            }
            return;
        }
        if (c == '"') {
            if (Peek() != '"') break;
            Get();  // a doubled quote stands for one
        } else if (c == '\n') {
            ++line_;
        }
        Append(field, c);
    }
    c = Get();
    if (c != separator_ && c != kEnd && !AtLineEnd(c) && record.failure.empty()) {
        record.failure = "text after the closing quote of field " +
                         std::to_string(record.fields.size() + 1) +
                         " (a quote inside a quoted field is written twice)";
    }
}

bool DelimitedReader::Next(TableRecord& record) {
    record.fields.clear();
    record.failure.clear();
    heldInRecord_ = 0;
    if (atStart_) {
        atStart_ = false;
        static constexpr unsigned char kMark[] = {0xEF, 0xBB, 0xBF};
        // The mark can only be whole at the start of the buffer once three bytes are in.
        if (Peek() == kMark[0]) {
            while (end_ - begin_ < 3 && !ended_) {
                const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
                if (got < 0 && errno == EINTR) continue;
                if (got <= 0) break;
                end_ += static_cast<size_t>(got);
                bytesRead_ += static_cast<size_t>(got);
            }
            if (end_ - begin_ >= 3 && std::memcmp(buffer_.data() + begin_, kMark, 3) == 0) {
                begin_ += 3;
            }
        }
    }
    int c = Get();
    if (kind_ != Delimiting::kLines) {
        while (AtLineEnd(c)) {  // empty lines hold no record of a table
            EndLine(c);
            c = Get();
        }
    }
    if (c == kEnd) return false;
    record.line = line_;
    for (;;) {
        TableField field;
        if (kind_ == Delimiting::kCsv && c == '"') ReadQuoted(record, field, c);
        while (c != separator_ && c != kEnd && !AtLineEnd(c)) {
            Append(field, c);
            c = Get();
        }
        Push(record, std::move(field));
        if (c == separator_) {
            c = Get();
            continue;
        }
        if (c != kEnd) EndLine(c);
        return !error_;
    }
}

}  // namespace qrcli
