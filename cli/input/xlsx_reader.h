// The rows of one sheet of an .xlsx file, read as they are inflated: shared strings, inline
// strings, numbers as the spreadsheet shows them in General format (dates stay numbers),
// TRUE/FALSE, and the cached results of formulas. Only the shared strings are held whole,
// within bounds; rows are given out one at a time.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/table_record.h"
#include "input/xml_stream.h"
#include "input/zip_entries.h"

namespace qrcli {

inline constexpr uint64_t kMaxSheetBytes = uint64_t{1} << 30;           // inflated
inline constexpr uint64_t kMaxSharedStringBytes = uint64_t{256} << 20;  // inflated XML
inline constexpr uint64_t kMaxHeldStringBytes = uint64_t{64} << 20;     // their text, held
inline constexpr size_t kMaxSharedStrings = size_t{1} << 22;
inline constexpr uint64_t kMaxPartBytes = uint64_t{16} << 20;  // the workbook and its links

// The shared strings, one after another in one block of text.
class SharedStrings {
  public:
    void Add(std::string_view text);
    size_t Count() const { return ends_.size(); }
    std::string_view At(size_t index) const;
    size_t Bytes() const { return text_.size(); }

  private:
    std::string text_;
    std::vector<uint32_t> ends_;
};

class XlsxReader final : public TableReader {
  public:
    // Nothing, with the reason, when the file is no .xlsx, has no such sheet (the first when
    // sheetName is empty), or is refused by a bound. The descriptor stays the caller's.
    static std::unique_ptr<XlsxReader> Open(int fd, const std::string& sheetName,
                                            std::string& error);
    ~XlsxReader() override;

    bool Next(TableRecord& record) override;
    const std::optional<std::string>& error() const override { return error_; }
    uint64_t Done() const override { return entry_->Done(); }
    uint64_t Total() const override { return entry_->Size(); }

  private:
    class RowHandler;
    XlsxReader() = default;

    std::unique_ptr<ZipArchive> archive_;
    SharedStrings strings_;
    std::unique_ptr<ZipEntry> entry_;
    std::unique_ptr<RowHandler> rows_;
    std::unique_ptr<XmlStream> stream_;
    bool ended_ = false;
    std::optional<std::string> error_;
};

}  // namespace qrcli
