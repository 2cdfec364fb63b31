// One record of a table as its reader gives it out: the fields' bytes, each held up to a bound
// so that a hostile input costs little memory, and where the record starts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "input/input_lines.h"

namespace qrcli {

inline constexpr size_t kHeldFieldBytes = kHeldLineBytes;  // more than any symbol holds
inline constexpr size_t kHeldRecordBytes = 1 << 20;        // of all the fields of a record
inline constexpr size_t kMaxFields = 16384;                // as many columns as a spreadsheet has

struct TableField {
    std::string bytes;    // the field, or its first bytes when longer than is held
    uint64_t length = 0;  // of the whole field
    bool Whole() const { return bytes.size() == length; }
};

struct TableRecord {
    std::vector<TableField> fields;
    uint64_t line = 0;    // where the record starts: a line of a text file, a sheet's row number
    std::string failure;  // not empty: the record is malformed, and why
};

class TableReader {
  public:
    virtual ~TableReader() = default;
    // The next record; false at the end of the input or when reading stops (see error()).
    virtual bool Next(TableRecord& record) = 0;
    virtual const std::optional<std::string>& error() const = 0;
    // How far reading has come, and of how much (0 when not known), for the progress bar.
    virtual uint64_t Done() const = 0;
    virtual uint64_t Total() const = 0;
};

}  // namespace qrcli
