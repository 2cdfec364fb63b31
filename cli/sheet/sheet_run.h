// A batch onto sheets: every line of the input becomes the next label of one PDF, pages
// written as they fill. Messages go to standard error as in the run that writes images.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "encode_symbol.h"
#include "sheet_arguments.h"

namespace qrsheet {

struct SheetLine {
    std::string text;     // what the code holds
    std::string caption;  // what is printed with it, lines separated by '\n'
    std::string failure;  // not empty: the line fails for this reason and its label stays blank
    uint64_t number = 0;  // where it starts in the input, for messages; 0: counted from 1
};

// Where the lines come from, one at a time.
class SheetInput {
  public:
    virtual ~SheetInput() = default;
    // The next line; false at the end of the input or when reading fails.
    virtual bool Next(SheetLine& line) = 0;
    // Why reading stopped early, when it did.
    virtual std::optional<std::string> Error() const = 0;
    // What a line's number counts in messages: lines of a file, or rows of a sheet.
    virtual const char* Unit() const { return "line"; }
};

// The exit status: 0 every line placed, 1 some lines not (their labels stay blank: a text too
// long, a caption no installed font can draw), 2 when the input cannot be read or the PDF
// cannot be made. The symbols are encoded on that many threads; quiet leaves out the closing
// summary.
int RunSheets(const SheetArguments& sheet, SheetInput& input, const std::string& output,
              const qr::SymbolParams& symbol, int jobs = 1, bool quiet = false);

}  // namespace qrsheet
