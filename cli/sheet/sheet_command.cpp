#include "sheet_command.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include <unistd.h>

#include "input/input_lines.h"
#include "input/table_source.h"
#include "input/text_escapes.h"
#include "options/option_table.h"
#include "sheet_run.h"

namespace qrsheet {

namespace {

// The lines as the image batch reads them: --text in order, or the input's lines. In tsv
// input (name<TAB>text<TAB>more...) the text is the second column and the caption's lines
// are the name and every column after the text, or the columns chosen.
class BatchInput final : public SheetInput {
  public:
    BatchInput(const qrcli::BatchOptions& options, const std::vector<int>& captionColumns, int fd)
        : options_(options), captionColumns_(captionColumns), reader_(fd, !options.appNames) {}

    bool Next(SheetLine& line) override {
        line = SheetLine{};
        if (!options_.texts.empty()) {
            if (nextText_ == options_.texts.size()) return false;
            line.text = line.caption = options_.texts[nextText_++];
            if (options_.escapes) {
                if (auto text = qrcli::Unescape(line.text, line.failure)) line.text = *text;
            }
            return true;
        }
        qrcli::InputLine read;
        if (!reader_.Next(read)) return false;
        uint64_t length = read.length;
        line.text = std::move(read.bytes);
        if (options_.inputFormat == qrcli::InputFormat::kTsv) {
            std::vector<std::string_view> columns;
            for (size_t start = 0; start <= line.text.size();) {
                const size_t tab = std::min(line.text.find('\t', start), line.text.size());
                columns.push_back(std::string_view(line.text).substr(start, tab - start));
                start = tab + 1;
            }
            if (columns.size() < 2) {
                line.failure = "no tab between a name and the text (--input-format tsv)";
                return true;
            }
            std::vector<int> shown = captionColumns_;
            if (shown.empty()) {
                shown.push_back(1);
                for (size_t c = 3; c <= columns.size(); ++c) shown.push_back(static_cast<int>(c));
            }
            std::string caption;
            for (const int column : shown) {
                if (static_cast<size_t>(column) > columns.size()) continue;  // an empty cell
                if (!caption.empty()) caption += '\n';
                caption += columns[static_cast<size_t>(column) - 1];
            }
            const size_t textStart = static_cast<size_t>(columns[1].data() - line.text.data());
            // A line longer than was read is whole up to the end of its text when a column
            // follows the text.
            const bool textWhole = length == line.text.size() || columns.size() > 2;
            length = textWhole ? columns[1].size() : length - textStart;
            std::string text(columns[1]);
            line.caption = std::move(caption);
            line.text = std::move(text);
        } else {
            line.caption = line.text;
        }
        if (line.text.size() != length) {
            // Longer than any symbol holds: only its start was read.
            line.failure = "the text (" + std::to_string(length) +
                           " bytes) does not fit version 40 at level " +
                           qrcli::LevelName(options_.ecLevel);
        }
        return true;
    }

    std::optional<std::string> Error() const override { return reader_.error(); }

  private:
    const qrcli::BatchOptions& options_;
    const std::vector<int>& captionColumns_;
    qrcli::LineReader reader_;
    size_t nextText_ = 0;
};

// Records of a table (csv, xlsx, tsv with columns), or lines read with escapes or from GBK.
class TableInput final : public SheetInput {
  public:
    explicit TableInput(std::unique_ptr<qrcli::TableSource> source) : source_(std::move(source)) {}

    bool Next(SheetLine& line) override {
        line = SheetLine{};
        qrcli::TableItem item;
        if (!source_->Next(item)) return false;
        line.number = item.line;
        line.failure = std::move(item.failure);
        if (line.failure.empty() && item.text.size() != item.textLength) {
            line.failure = "the text (" + std::to_string(item.textLength) +
                           " bytes) is longer than any symbol holds";
        }
        line.text = std::move(item.text);
        line.caption = std::move(item.caption);
        return true;
    }
    std::optional<std::string> Error() const override { return source_->Error(); }
    const char* Unit() const override { return source_->Unit(); }

  private:
    std::unique_ptr<qrcli::TableSource> source_;
};

// The caption's columns of tsv lines without a header: numbers only.
std::optional<std::vector<int>> ColumnNumbers(const std::vector<std::string>& words) {
    std::vector<int> numbers;
    for (const auto& word : words) {
        if (word.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
        numbers.push_back(std::stoi(word));
    }
    return numbers;
}

std::optional<std::string> OptionNotForSheets(const std::vector<std::string>& args) {
    // Options about single images and their files.
    static const std::string kImageOnly[] = {
        "--format",    "--name", "--name-format", "--size",     "--scale", "--border",
        "--module-cm", "--dpi",  "--rotate",      "--rotation", "--frame", "--fg",
        "--bg",        "--fit",  "--app-names",   "--verify",   "--mkdir"};
    for (const auto& arg : args) {
        if (arg == "--") break;
        if (arg.size() < 2 || arg[0] != '-') continue;
        const qrcli::OptionRow* option = arg[1] == '-'
                                             ? qrcli::FindLongOption(arg.substr(0, arg.find('=')))
                                             : qrcli::FindShortOption(arg[1]);
        if (option == nullptr) continue;
        for (const auto& name : kImageOnly) {
            if (option->name == name) return name;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<SheetArguments> TakeSheetOptions(std::vector<std::string>& args, std::string& error) {
    auto sheet = TakeSheetArguments(args, error);
    if (const auto other = sheet ? OptionNotForSheets(args) : std::nullopt) {
        error = "--sheet writes one PDF of labels; it cannot be combined with " + *other;
        sheet.reset();
    }
    if (!error.empty()) error += " (see --help)";
    return sheet;
}

int RunSheetCommand(const SheetArguments& sheet, const qrcli::BatchOptions& options) {
    if (!sheet.captionColumns.empty() &&
        (options.inputFormat == qrcli::InputFormat::kLines || !options.texts.empty())) {
        std::fprintf(stderr,
                     "qrbatch-cli: --caption-columns picks columns of --input-format tsv, csv "
                     "or xlsx (see --help)\n");
        return 2;
    }
    int fd = -1;
    if (options.texts.empty()) {
        std::string error;
        fd = qrcli::OpenInput(options.input, error);
        if (fd < 0) {
            const std::string name =
                options.input == "-" ? "standard input" : "\"" + options.input + "\"";
            std::fprintf(stderr, "qrbatch-cli: cannot read the input %s: %s\n", name.c_str(),
                         error.c_str());
            return 2;
        }
    }
    const qr::SymbolParams symbol{options.requestedVersion, options.ecLevel, options.maskSetting};
    int status = 0;
    if (fd >= 0 && qrcli::ReadsTable(options)) {
        std::string error;
        auto source = qrcli::TableSource::Open(options, fd, sheet.captionColumns, error);
        if (!source) {
            if (fd != STDIN_FILENO) ::close(fd);
            std::fprintf(stderr, "qrbatch-cli: cannot read the input: %s\n", error.c_str());
            return 2;
        }
        TableInput input(std::move(source));
        status = RunSheets(sheet, input, options.output, symbol, options.jobs, options.quiet);
    } else {
        const auto columns = ColumnNumbers(sheet.captionColumns);
        if (!columns) {
            std::fprintf(stderr,
                         "qrbatch-cli: --caption-columns: tsv lines have no header row to "
                         "name columns; give numbers, or read a header with --column, "
                         "--name-column or --template (see --help)\n");
            if (fd >= 0 && fd != STDIN_FILENO) ::close(fd);
            return 2;
        }
        BatchInput input(options, *columns, fd);
        status = RunSheets(sheet, input, options.output, symbol, options.jobs, options.quiet);
    }
    if (fd >= 0 && fd != STDIN_FILENO) ::close(fd);
    return status;
}

}  // namespace qrsheet
