#include "input/xlsx_reader.h"

#include <algorithm>
#include <cstdlib>
#include <map>

#include "input/general_number.h"

namespace qrcli {

namespace {

constexpr size_t kMaxColumns = kMaxFields;  // XFD, a spreadsheet's last column
constexpr uint64_t kMaxRow = 1048576;

// A whole XML part through a handler.
bool ParsePart(ZipArchive& archive, const std::string& name, uint64_t maxBytes, XmlHandler& handler,
               std::string& error) {
    auto entry = archive.OpenEntry(name, maxBytes, error);
    if (!entry) return false;
    XmlStream stream(handler, name);
    std::vector<char> piece(65536);
    for (;;) {
        const long got = entry->Read(piece.data(), piece.size(), error);
        if (got < 0) return false;
        if (!stream.Feed(piece.data(), static_cast<size_t>(got), got == 0, error)) return false;
        if (got == 0) return true;
    }
}

struct Sheet {
    std::string name;
    std::string link;  // its relationship's id
};

class WorkbookHandler final : public XmlHandler {
  public:
    std::vector<Sheet> sheets;
    void Start(std::string_view name, const char** attributes) override {
        if (name != "sheet") return;
        const char* sheetName = AttributeOf(attributes, "name");
        const char* link = AttributeOf(attributes, "id");
        if (sheetName && link) sheets.push_back({sheetName, link});
    }
    void End(std::string_view) override {}
    void Text(std::string_view) override {}
};

struct Link {
    std::string type;
    std::string target;
};

class LinksHandler final : public XmlHandler {
  public:
    std::map<std::string, Link> links;
    void Start(std::string_view name, const char** attributes) override {
        if (name != "Relationship") return;
        const char* id = AttributeOf(attributes, "Id");
        const char* type = AttributeOf(attributes, "Type");
        const char* target = AttributeOf(attributes, "Target");
        if (id && type && target) links[id] = {type, target};
    }
    void End(std::string_view) override {}
    void Text(std::string_view) override {}
};

// A link's target as a name in the archive: relative to xl/, or from the root with a "/".
std::string PartName(const std::string& target) {
    if (!target.empty() && target[0] == '/') return target.substr(1);
    std::string name = "xl/" + target;
    for (size_t up; (up = name.find("/../")) != std::string::npos;) {
        const size_t before = name.rfind('/', up - 1);
        name.erase(before == std::string::npos ? 0 : before + 1,
                   up + 4 - (before == std::string::npos ? 0 : before + 1));
    }
    return name;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Text of the <t> elements of a string item, leaving out the phonetic guides (<rPh>).
class StringText {
  public:
    void Start(std::string_view name) {
        if (name == "rPh") ++phonetic_;
        if (name == "t" && phonetic_ == 0) inText_ = true;
    }
    void End(std::string_view name) {
        if (name == "rPh") --phonetic_;
        if (name == "t") inText_ = false;
    }
    bool Taking() const { return inText_; }

  private:
    int phonetic_ = 0;
    bool inText_ = false;
};

class SharedStringsHandler final : public XmlHandler {
  public:
    explicit SharedStringsHandler(SharedStrings& strings) : strings_(strings) {}
    void Start(std::string_view name, const char**) override {
        if (name == "si") {
            inItem_ = true;
            text_.clear();
        }
        if (inItem_) item_.Start(name);
    }
    void End(std::string_view name) override {
        if (inItem_) item_.End(name);
        if (name != "si") return;
        inItem_ = false;
        if (strings_.Count() >= kMaxSharedStrings) {
            refusal = "more than " + std::to_string(kMaxSharedStrings) + " shared strings";
        } else if (strings_.Bytes() + text_.size() > kMaxHeldStringBytes) {
            refusal = "shared strings of more than " + std::to_string(kMaxHeldStringBytes >> 20) +
                      " MiB of text";
        } else {
            strings_.Add(text_);
        }
    }
    void Text(std::string_view text) override {
        if (!inItem_ || !item_.Taking()) return;
        if (text_.size() + text.size() > kMaxHeldStringBytes) {
            refusal = "a shared string of more than " + std::to_string(kMaxHeldStringBytes >> 20) +
                      " MiB";
            return;
        }
        text_ += text;
    }

  private:
    SharedStrings& strings_;
    StringText item_;
    bool inItem_ = false;
    std::string text_;
};

// "BC12": column 54 (from 0 here, 53); -1 when there are no letters.
long ColumnOf(const char* reference) {
    long column = 0;
    int letters = 0;
    for (const char* at = reference; *at >= 'A' && *at <= 'Z'; ++at, ++letters) {
        column = column * 26 + (*at - 'A' + 1);
        if (column > static_cast<long>(kMaxColumns)) return static_cast<long>(kMaxColumns);
    }
    return letters == 0 ? -1 : column - 1;
}

}  // namespace

void SharedStrings::Add(std::string_view text) {
    text_ += text;
    ends_.push_back(static_cast<uint32_t>(text_.size()));
}

std::string_view SharedStrings::At(size_t index) const {
    const size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

// The rows of the sheet, each as a record once its end is read.
class XlsxReader::RowHandler final : public XmlHandler {
  public:
    explicit RowHandler(const SharedStrings& strings) : strings_(strings) {}
    std::deque<TableRecord> rows;

    void Start(std::string_view name, const char** attributes) override {
        if (name == "row") {
            StartRow(attributes);
        } else if (name == "c" && inRow_) {
            StartCell(attributes);
        } else if (inCell_) {
            if (name == "v") inValue_ = true;
            if (name == "is") inInline_ = true;
            if (inInline_) inlineText_.Start(name);
        }
    }

    void End(std::string_view name) override {
        if (name == "row" && inRow_) {
            inRow_ = false;
            // A row kept only for its formatting holds no record, as an empty line of a CSV.
            const bool blank = std::all_of(row_.fields.begin(), row_.fields.end(),
                                           [](const TableField& f) { return f.length == 0; });
            if (!blank || !row_.failure.empty()) rows.push_back(std::move(row_));
        } else if (name == "c" && inCell_) {
            inCell_ = false;
            EndCell();
        } else if (inCell_) {
            if (name == "v") inValue_ = false;
            if (inInline_) inlineText_.End(name);
            if (name == "is") inInline_ = false;
        }
    }

    void Text(std::string_view text) override {
        if (!inCell_ || !(inValue_ || (inInline_ && inlineText_.Taking()))) return;
        value_.length += text.size();
        const size_t room =
            kHeldFieldBytes > value_.bytes.size() ? kHeldFieldBytes - value_.bytes.size() : 0;
        value_.bytes.append(text.substr(0, std::min(room, text.size())));
    }

  private:
    void StartRow(const char** attributes) {
        row_ = TableRecord{};
        const char* number = AttributeOf(attributes, "r");
        const uint64_t r = number ? std::strtoull(number, nullptr, 10) : lastRow_ + 1;
        if (r == 0 || r > kMaxRow || r <= lastRow_) {
            refusal = "a row numbered " + std::string(number ? number : "?") + " after row " +
                      std::to_string(lastRow_);
            return;
        }
        row_.line = lastRow_ = r;
        inRow_ = true;
        nextColumn_ = 0;
    }

    void StartCell(const char** attributes) {
        const char* reference = AttributeOf(attributes, "r");
        const long column = reference ? ColumnOf(reference) : static_cast<long>(nextColumn_);
        if (column < 0 || static_cast<size_t>(column) >= kMaxColumns) {
            refusal = "a cell \"" + std::string(reference ? reference : "?") +
                      "\" beyond the last column XFD";
            return;
        }
        const char* type = AttributeOf(attributes, "t");
        type_ = type ? type : "n";
        column_ = static_cast<size_t>(column);
        nextColumn_ = column_ + 1;
        value_ = TableField{};
        inCell_ = true;
        inValue_ = inInline_ = false;
    }

    void EndCell() {
        TableField field;
        if (type_ == "s") {
            const std::string index = value_.bytes;
            char* end = nullptr;
            const unsigned long long at = std::strtoull(index.c_str(), &end, 10);
            if (index.empty() || *end != '\0' || at >= strings_.Count()) {
                if (row_.failure.empty()) {
                    row_.failure = "the cell refers to shared string " + index + " of " +
                                   std::to_string(strings_.Count());
                }
            } else {
                const std::string_view text = strings_.At(at);
                field.length = text.size();
                field.bytes = text.substr(0, kHeldFieldBytes);
            }
        } else if (type_ == "b") {
            field.bytes = value_.bytes == "1" ? "TRUE" : "FALSE";
            field.length = field.bytes.size();
        } else if (type_ == "n") {
            const auto shown = value_.Whole() ? GeneralNumber(value_.bytes) : std::nullopt;
            field = value_;
            if (shown) {
                field.bytes = *shown;
                field.length = shown->size();
            }
        } else {  // inlineStr, str (a formula's text), e (an error such as #N/A), d (a date)
            field = value_;
        }
        if (row_.fields.size() <= column_) row_.fields.resize(column_ + 1);
        row_.fields[column_] = std::move(field);
    }

    const SharedStrings& strings_;
    TableRecord row_;
    TableField value_;
    std::string type_;
    StringText inlineText_;
    uint64_t lastRow_ = 0;
    size_t column_ = 0;
    size_t nextColumn_ = 0;
    bool inRow_ = false;
    bool inCell_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
};

XlsxReader::~XlsxReader() = default;

std::unique_ptr<XlsxReader> XlsxReader::Open(int fd, const std::string& sheetName,
                                             std::string& error) {
    std::unique_ptr<XlsxReader> reader(new XlsxReader());
    reader->archive_ = ZipArchive::Open(fd, error);
    if (!reader->archive_) return nullptr;
    ZipArchive& archive = *reader->archive_;

    WorkbookHandler workbook;
    LinksHandler links;
    if (!archive.Has("xl/workbook.xml")) {
        error = "not an .xlsx file: it has no workbook (xl/workbook.xml)";
        return nullptr;
    }
    if (!ParsePart(archive, "xl/workbook.xml", kMaxPartBytes, workbook, error) ||
        !ParsePart(archive, "xl/_rels/workbook.xml.rels", kMaxPartBytes, links, error)) {
        return nullptr;
    }
    const Sheet* chosen = nullptr;
    std::string names;
    for (const Sheet& sheet : workbook.sheets) {
        if (!chosen && (sheetName.empty() || sheet.name == sheetName)) chosen = &sheet;
        names += (names.empty() ? "\"" : ", \"") + sheet.name + "\"";
    }
    if (chosen == nullptr) {
        error = sheetName.empty() ? "the .xlsx has no sheet"
                                  : "--sheet-name: the .xlsx has no sheet \"" + sheetName +
                                        "\" (its sheets: " + names + ")";
        return nullptr;
    }
    const auto link = links.links.find(chosen->link);
    if (link == links.links.end()) {
        error = "the .xlsx does not say where sheet \"" + chosen->name + "\" is";
        return nullptr;
    }
    for (const auto& [id, other] : links.links) {
        if (!EndsWith(other.type, "/sharedStrings")) continue;
        SharedStringsHandler strings(reader->strings_);
        if (!ParsePart(archive, PartName(other.target), kMaxSharedStringBytes, strings, error)) {
            return nullptr;
        }
    }
    const std::string part = PartName(link->second.target);
    reader->entry_ = archive.OpenEntry(part, kMaxSheetBytes, error);
    if (!reader->entry_) return nullptr;
    reader->rows_ = std::make_unique<RowHandler>(reader->strings_);
    reader->stream_ = std::make_unique<XmlStream>(*reader->rows_, part);
    return reader;
}

bool XlsxReader::Next(TableRecord& record) {
    std::vector<char> piece;
    while (rows_->rows.empty() && !ended_ && !error_) {
        piece.resize(65536);
        std::string error;
        const long got = entry_->Read(piece.data(), piece.size(), error);
        if (got < 0 ||
            !stream_->Feed(piece.data(), got < 0 ? 0 : static_cast<size_t>(got), got == 0, error)) {
            error_ = error;
            break;
        }
        ended_ = got == 0;
    }
    if (rows_->rows.empty()) return false;
    record = std::move(rows_->rows.front());
    rows_->rows.pop_front();
    return true;
}

}  // namespace qrcli
