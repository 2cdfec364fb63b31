#include "input/table_source.h"

#include <unistd.h>

#include "common/file_calls.h"
#include "input/delimited_reader.h"
#include "input/text_escapes.h"
#include "input/xlsx_reader.h"

namespace qrcli {

namespace {

bool IsNumber(const std::string& word) {
    return word.find_first_not_of("0123456789") == std::string::npos;
}

std::string_view FieldAt(const TableRecord& record, size_t column) {
    return column < record.fields.size() ? std::string_view(record.fields[column].bytes) : "";
}

bool WholeAt(const TableRecord& record, size_t column) {
    return column >= record.fields.size() || record.fields[column].Whole();
}

uint64_t SizeOf(int fd) {
    return qrcommon::RegularFileSize(fd).value_or(0);
}

std::unique_ptr<TableReader> ReaderFor(const BatchOptions& options, int fd, std::string& error) {
    switch (options.inputFormat) {
        case InputFormat::kXlsx:
            return XlsxReader::Open(fd, options.sheetName, error);
        case InputFormat::kCsv:
            return std::make_unique<DelimitedReader>(fd, Delimiting::kCsv, SizeOf(fd));
        case InputFormat::kTsv:
            return std::make_unique<DelimitedReader>(fd, Delimiting::kTsv, SizeOf(fd));
        default:
            return std::make_unique<DelimitedReader>(fd, Delimiting::kLines, SizeOf(fd));
    }
}

}  // namespace

TableSource::~TableSource() = default;

std::unique_ptr<TableSource> TableSource::Open(const BatchOptions& options, int fd,
                                               const std::vector<std::string>& captionColumns,
                                               std::string& error) {
    std::unique_ptr<TableSource> source(new TableSource());
    source->xlsx_ = options.inputFormat == InputFormat::kXlsx;
    source->escapes_ = options.escapes;
    source->legacyTsv_ = options.inputFormat == InputFormat::kTsv && !options.header &&
                         options.column.empty() && options.nameColumn.empty() &&
                         options.templateText.empty();
    if (options.fromGb18030) source->decoder_ = std::make_unique<Gb18030Decoder>();
    source->reader_ = ReaderFor(options, fd, error);
    if (!source->reader_) return nullptr;
    if (options.header && source->reader_->Next(source->record_)) {
        const std::string what = std::string("the header ") + source->Unit() + " (" +
                                 std::to_string(source->record_.line) + ")";
        std::string failure = source->record_.failure;
        if (failure.empty()) failure = source->Convert(source->record_);
        if (!failure.empty()) {
            error = what + ": " + failure;
            return nullptr;
        }
        for (const TableField& field : source->record_.fields) {
            source->header_.push_back(field.bytes);
        }
        if (!source->xlsx_) source->width_ = source->header_.size();
    }
    if (const auto& failed = source->reader_->error()) {
        error = *failed;
        return nullptr;
    }
    // An empty input has no header to find the columns in, and nothing to write either.
    source->empty_ = options.header && source->header_.empty();
    if (!source->empty_ && !source->Resolve(options, captionColumns, error)) return nullptr;
    return source;
}

std::optional<size_t> TableSource::ColumnIndex(const std::string& word, const char* what,
                                               std::string& error) const {
    const std::string quoted = std::string(what) + " \"" + word + "\": ";
    if (IsNumber(word)) {
        const size_t number = std::stoul(word.substr(0, 6));
        if (!header_.empty() && number > header_.size()) {
            error = quoted + "the header has " + std::to_string(header_.size()) + " columns";
            return std::nullopt;
        }
        return number - 1;
    }
    if (header_.empty()) {
        error = quoted + "a column is named by the header row, and this input has none (" +
                (legacyTsv_ ? "tsv reads one with --column, --name-column or --template"
                            : "give the column's number instead") +
                ")";
        return std::nullopt;
    }
    std::optional<size_t> found;
    std::string names;
    for (size_t i = 0; i < header_.size(); ++i) {
        names += (i == 0 ? "" : ", ") + header_[i];
        if (header_[i] != word) continue;
        if (found) {
            error = quoted + "the header names columns " + std::to_string(*found + 1) + " and " +
                    std::to_string(i + 1) + " so; give the number";
            return std::nullopt;
        }
        found = i;
    }
    if (!found) error = quoted + "the header has no such column (it has: " + names + ")";
    return found;
}

bool TableSource::Resolve(const BatchOptions& options,
                          const std::vector<std::string>& captionColumns, std::string& error) {
    if (!options.templateText.empty()) {
        std::string text = options.templateText;
        if (escapes_) {
            auto unescaped = Unescape(text, error);
            if (!unescaped) {
                error = "--template: " + error;
                return false;
            }
            text = std::move(*unescaped);
        }
        template_ = PayloadTemplate::Parse(text, options.payload, error);
        if (!template_) return false;
        for (const std::string& name : template_->FieldNames()) {
            const auto column = ColumnIndex(name, "--template: the field", error);
            if (!column) return false;
            templateColumns_.push_back(*column);
        }
    }
    if (!options.column.empty()) {
        const auto column = ColumnIndex(options.column, "--column", error);
        if (!column) return false;
        textColumn_ = *column;
    }
    if (!options.nameColumn.empty()) {
        nameColumn_ = ColumnIndex(options.nameColumn, "--name-column", error);
        if (!nameColumn_) return false;
    }
    if (legacyTsv_) {
        textColumn_ = 1;
        nameColumn_ = 0;
    }
    captionGiven_ = !captionColumns.empty();
    for (const std::string& word : captionColumns) {
        const auto column = ColumnIndex(word, "--caption-columns", error);
        if (!column) return false;
        captionColumns_.push_back(*column);
    }
    return true;
}

std::string TableSource::Convert(TableRecord& record) {
    if (!decoder_) return "";
    for (size_t i = 0; i < record.fields.size(); ++i) {
        TableField& field = record.fields[i];
        auto text = decoder_->ToUtf8(field.bytes);
        if (!text && !field.Whole()) {
            // Cut short in the middle of a character: the held part is only a start anyway.
            for (size_t cut = 1; cut <= 3 && !text && cut < field.bytes.size(); ++cut) {
                text = decoder_->ToUtf8(
                    std::string_view(field.bytes).substr(0, field.bytes.size() - cut));
            }
        }
        if (!text) {
            return "field " + std::to_string(i + 1) + " is not GBK/GB18030 text (--input-encoding)";
        }
        field.length += text->size() - field.bytes.size();
        field.bytes = std::move(*text);
    }
    return "";
}

std::string TableSource::MakeText(const TableRecord& record, TableItem& item) const {
    std::string error;
    if (template_) {
        std::vector<std::string_view> values;
        for (size_t i = 0; i < templateColumns_.size(); ++i) {
            const size_t column = templateColumns_[i];
            if (!WholeAt(record, column)) {
                return "the field {" + template_->FieldNames()[i] + "} (" +
                       std::to_string(record.fields[column].length) +
                       " bytes) is longer than any symbol holds";
            }
            // The fields are data, escaped for the payload; --esc reads the template's own.
            values.push_back(FieldAt(record, column));
        }
        item.text = template_->Fill(values);
        item.textLength = item.text.size();
        return "";
    }
    item.text = FieldAt(record, textColumn_);
    item.textLength = textColumn_ < record.fields.size() ? record.fields[textColumn_].length : 0;
    if (escapes_ && item.text.size() == item.textLength) {
        auto unescaped = Unescape(item.text, error);
        if (!unescaped) return error;
        item.text = std::move(*unescaped);
        item.textLength = item.text.size();
    }
    return "";
}

bool TableSource::Next(TableItem& item) {
    item = TableItem{};
    if (empty_ || !reader_->Next(record_)) return false;
    TableRecord& record = record_;
    item.line = record.line;
    item.index = ++records_;
    item.failure = record.failure;
    if (item.failure.empty()) item.failure = Convert(record);
    if (item.failure.empty() && width_ == 0 && !xlsx_ && !legacyTsv_) {
        width_ = record.fields.size();  // without a header, the first record sets the width
    } else if (item.failure.empty() && width_ != 0 && record.fields.size() != width_) {
        item.failure = std::to_string(record.fields.size()) + " fields where the " +
                       (header_.empty() ? "first " + std::string(Unit()) : "header") + " has " +
                       std::to_string(width_);
    }
    if (item.failure.empty() && legacyTsv_ && record.fields.size() < 2) {
        item.failure = "no tab between a name and the text (--input-format tsv)";
    }
    if (!item.failure.empty()) return true;
    item.failure = MakeText(record, item);
    if (!item.failure.empty()) return true;

    if (nameColumn_) {
        if (!WholeAt(record, *nameColumn_)) {
            item.failure = "the name (" + std::to_string(record.fields[*nameColumn_].length) +
                           " bytes) is too long for a file name";
            return true;
        }
        item.nameBase = FieldAt(record, *nameColumn_);
    } else {
        item.nameBase = template_ ? item.text : std::string(FieldAt(record, textColumn_));
    }

    if (captionGiven_ || legacyTsv_) {
        std::vector<size_t> shown = captionColumns_;
        if (!captionGiven_) {  // the name, then every column after the text
            shown.push_back(0);
            for (size_t c = 2; c < record.fields.size(); ++c) shown.push_back(c);
        }
        for (const size_t column : shown) {
            if (column >= record.fields.size()) continue;  // an empty cell
            if (!item.caption.empty()) item.caption += '\n';
            item.caption += FieldAt(record, column);
        }
    } else {
        item.caption = nameColumn_ ? item.nameBase : item.text;
    }
    return true;
}

const std::optional<std::string>& TableSource::Error() const {
    return reader_->error();
}

uint64_t TableSource::Done() const {
    return reader_->Done();
}

uint64_t TableSource::Total() const {
    return reader_->Total();
}

}  // namespace qrcli
