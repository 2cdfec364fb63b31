#include "sheet_arguments.h"

#include <algorithm>
#include <charconv>

namespace qrsheet {

namespace {

std::string OptionName(const std::string& arg) {
    return arg.rfind("--", 0) == 0 ? arg.substr(0, arg.find('=')) : arg;
}

// The sheet options that take a value, besides --sheet itself.
constexpr const char* kValueOptions[] = {"--sheet-caption", "--sheet-skip", "--sheet-offset",
                                         "--sheet-font", "--caption-columns"};

bool ParseWhole(std::string_view text, int low, int high, int& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() &&
           out >= low && out <= high;
}

// "3,1,4" or "name,price": columns by number from 1 or by header name, each at most once.
bool ParseColumns(std::string_view text, std::vector<std::string>& columns) {
    while (true) {
        const size_t comma = text.find(',');
        const std::string column(text.substr(0, comma));
        int number = 0;
        const bool digits = column.find_first_not_of("0123456789") == std::string::npos;
        if (column.empty() || (digits && !ParseWhole(column, 1, 1000, number))) return false;
        for (const auto& seen : columns) {
            if (seen == column) return false;
        }
        columns.push_back(column);
        if (comma == std::string_view::npos) return true;
        text.remove_prefix(comma + 1);
    }
}

std::optional<std::string> ApplyValue(const std::string& name, const std::string& value,
                                      SheetArguments& sheet) {
    if (name == "--sheet-caption") {
        if (value == "below") {
            sheet.style.captionLayout = CaptionLayout::kBelow;
        } else if (value == "right") {
            sheet.style.captionLayout = CaptionLayout::kRight;
        } else if (value == "none") {
            sheet.style.captionLayout = CaptionLayout::kNone;
        } else {
            return "--sheet-caption \"" + value + "\": expected below, right or none";
        }
    } else if (name == "--sheet-skip") {
        if (!ParseWhole(value, 0, 10000, sheet.style.skip)) {
            return "--sheet-skip \"" + value + "\": expected the number of labels already used";
        }
    } else if (name == "--sheet-offset") {
        if (!ParseOffset(value, sheet.offsetX, sheet.offsetY)) {
            return "--sheet-offset \"" + value +
                   "\": expected XxY with a unit (mm, cm, in or pt), e.g. 1.5x-0.5mm";
        }
    } else if (name == "--sheet-font") {
        if (value.empty()) return std::string("--sheet-font needs a font family");
        sheet.style.captionFamily = value;
    } else if (!ParseColumns(value, sheet.captionColumns)) {
        return "--caption-columns \"" + value +
               "\": expected column numbers from 1 or header names, e.g. 1,3,4 or "
               "name,price, each once";
    }
    return std::nullopt;
}

}  // namespace

std::optional<SheetArguments> TakeSheetArguments(std::vector<std::string>& args,
                                                 std::string& error) {
    SheetArguments sheet;
    bool given = false;
    bool marks = false;
    bool border = false;
    std::vector<std::string> others;  // sheet options given, for a run without --sheet
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {  // what follows are inputs, whatever they look like
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        const std::string name = OptionName(args[i]);
        const bool hasValue = name.size() < args[i].size();
        if (name == "--sheet-cut-marks" || name == "--sheet-border") {
            if (hasValue) {
                error = name + " takes no value";
                return std::nullopt;
            }
            (name == "--sheet-border" ? border : marks) = true;
            others.push_back(name);
            continue;
        }
        bool takesValue = name == "--sheet";
        for (const char* option : kValueOptions) takesValue = takesValue || name == option;
        if (!takesValue) {
            rest.push_back(args[i]);
            continue;
        }
        if (std::count(others.begin(), others.end(), name) != 0 || (name == "--sheet" && given)) {
            error = name + " given twice";
            return std::nullopt;
        }
        std::string value;
        if (hasValue) {
            value = args[i].substr(name.size() + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = name + " needs a value";
            return std::nullopt;
        }
        if (name == "--sheet") {
            given = true;
            sheet.layoutName = value;
            continue;
        }
        others.push_back(name);
        if (auto bad = ApplyValue(name, value, sheet)) {
            error = *bad;
            return std::nullopt;
        }
    }
    if (!given) {
        if (!others.empty()) error = others.front() + " needs --sheet";
        return std::nullopt;
    }
    auto layout = ParseSheetLayout(sheet.layoutName, error);
    if (!layout) return std::nullopt;
    if (sheet.style.skip >= layout->LabelsPerPage()) {
        error = "--sheet-skip " + std::to_string(sheet.style.skip) + ": a page of " +
                sheet.layoutName + " has " + std::to_string(layout->LabelsPerPage()) + " labels";
        return std::nullopt;
    }
    sheet.layout = *layout;
    // The printer's feed corrected: every label, outline and mark moves together.
    sheet.layout.left += sheet.offsetX;
    sheet.layout.top += sheet.offsetY;
    sheet.style.cutMarks = marks;
    sheet.style.border = border;
    args = std::move(rest);
    return sheet;
}

std::string SheetHelpText() {
    return R"(Sheets (-o names one PDF file, or - for standard output):
  --sheet LAYOUT       the whole batch as one PDF of labels in input order, each
                       code with its text (or tsv name) as caption; LAYOUT is a
                       preset
)" + PresetDescriptions() +
           R"(                       or PAGE:cols=N,rows=N,label=WxH<unit>[,margin=LxT<unit>]
                       [,gap=HxV<unit>] with PAGE a4, letter or WxH<unit> and
                       units mm, cm, in or pt; without a margin the grid is
                       centred on the page
  --sheet-caption P    below (the default), right (the code at the left at the
                       label's full height: wide, low labels) or none
  --sheet-font FAMILY  the caption's font family (the system's sans-serif);
                       characters it lacks come from the fonts fontconfig finds
                       for them, and a character no installed font has fails
                       its line
                       A caption too wide is made smaller down to 5 pt, then
                       broken onto more lines, and only then cut short with an
                       ellipsis, reported as a warning with its line number
  --caption-columns N,N
                       the columns printed as caption lines, in this order,
                       each a header name or a number counted from 1, as
                       --column takes them. Without it: tsv lines
                       (name<TAB>text<TAB>more...) show the name, then every
                       column after the text; csv and xlsx the --name-column,
                       or the text
  --sheet-skip N       leave the first N labels of the first page as they are
                       (a sheet already partly used)
  --sheet-offset XxY<unit>
                       move everything by X to the right and Y down (negative
                       values the other way), to correct a printer's feed
  --sheet-cut-marks    thin cut marks in the page margins, where there is room
  --sheet-border       every label's outline, to check the printer's alignment
)";
}

}  // namespace qrsheet
