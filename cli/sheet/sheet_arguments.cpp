#include "sheet_arguments.h"

namespace qrsheet {

namespace {

std::string OptionName(const std::string& arg) {
    return arg.rfind("--", 0) == 0 ? arg.substr(0, arg.find('=')) : arg;
}

}  // namespace

std::optional<SheetArguments> TakeSheetArguments(std::vector<std::string>& args,
                                                 std::string& error) {
    SheetArguments sheet;
    bool given = false;
    bool marks = false;
    bool border = false;
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
            continue;
        }
        if (name != "--sheet") {
            rest.push_back(args[i]);
            continue;
        }
        if (given) {
            error = "--sheet given twice";
            return std::nullopt;
        }
        given = true;
        if (hasValue) {
            sheet.layoutName = args[i].substr(name.size() + 1);
        } else if (i + 1 < args.size()) {
            sheet.layoutName = args[++i];
        } else {
            error = "--sheet needs a value";
            return std::nullopt;
        }
    }
    if (!given) {
        if (marks || border) error = "--sheet-cut-marks and --sheet-border need --sheet";
        return std::nullopt;
    }
    auto layout = ParseSheetLayout(sheet.layoutName, error);
    if (!layout) return std::nullopt;
    sheet.layout = *layout;
    sheet.style.cutMarks = marks;
    sheet.style.border = border;
    args = std::move(rest);
    return sheet;
}

std::string SheetHelpText() {
    return R"(Sheets (-o names one PDF file):
  --sheet LAYOUT       the whole batch as one PDF of labels in input order, each
                       code with its text (or tsv name) under it, cut with an
                       ellipsis when too wide; LAYOUT is a preset
)" + PresetDescriptions() +
           R"(                       or PAGE:cols=N,rows=N,label=WxH<unit>[,margin=LxT<unit>]
                       [,gap=HxV<unit>] with PAGE a4, letter or WxH<unit> and
                       units mm, cm, in or pt; without a margin the grid is
                       centred on the page
  --sheet-cut-marks    thin cut marks in the page margins, where there is room
  --sheet-border       every label's outline, to check the printer's alignment
)";
}

}  // namespace qrsheet
