// The texts of a run read from a table: a header row naming the columns, the text from a
// column or a template, the file name from a column, the caption from columns; fields turned
// from GB18030 into UTF-8 and their escapes read when asked. Every record is checked on its
// own: a malformed one fails with its line (or row) number, the others go on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/payload_template.h"
#include "input/table_record.h"
#include "input/text_decoding.h"
#include "options/batch_options.h"

namespace qrcli {

struct TableItem {
    uint64_t line = 0;  // where the record starts, for messages (see TableSource::Unit)
    size_t index = 0;   // the records counted from 1, for --name index
    std::string text;
    uint64_t textLength = 0;  // of the whole text; more than text.size() when it was too long
    std::string nameBase;     // what the file is named after
    std::string caption;      // lines for a sheet's label, separated by '\n'
    std::string failure;      // not empty: the record fails for this reason
};

class TableSource {
  public:
    // Reads the header row and finds the columns named. Nothing, with the reason (a usage
    // error), when the input cannot be read as asked or a column is not there. fd stays open.
    // captionColumns are the words of --caption-columns, empty for the default caption.
    static std::unique_ptr<TableSource> Open(const BatchOptions& options, int fd,
                                             const std::vector<std::string>& captionColumns,
                                             std::string& error);
    ~TableSource();

    // The next record's texts; false at the end, or when reading stops (see Error()).
    bool Next(TableItem& item);
    const std::optional<std::string>& Error() const;
    uint64_t Done() const;
    uint64_t Total() const;
    // "line" for text files, "row" for a sheet; "lines" or "rows" for the summary.
    const char* Unit() const { return xlsx_ ? "row" : "line"; }

  private:
    TableSource() = default;
    bool Resolve(const BatchOptions& options, const std::vector<std::string>& captionColumns,
                 std::string& error);
    std::optional<size_t> ColumnIndex(const std::string& word, const char* what,
                                      std::string& error) const;
    std::string Convert(TableRecord& record);  // fields into UTF-8; the failure, if any
    std::string MakeText(const TableRecord& record, TableItem& item) const;

    std::unique_ptr<TableReader> reader_;
    std::unique_ptr<Gb18030Decoder> decoder_;
    bool xlsx_ = false;
    bool escapes_ = false;
    bool legacyTsv_ = false;  // tsv as name<TAB>text: a missing text is the missing tab
    std::vector<std::string> header_;
    size_t width_ = 0;  // fields of a record; 0 when rows may be short (a sheet)
    std::optional<PayloadTemplate> template_;
    std::vector<size_t> templateColumns_;
    size_t textColumn_ = 0;
    std::optional<size_t> nameColumn_;
    std::vector<size_t> captionColumns_;
    bool captionGiven_ = false;
    bool empty_ = false;  // not even a header row
    size_t records_ = 0;
    TableRecord record_;
};

}  // namespace qrcli
