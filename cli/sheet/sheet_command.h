// The command line's way onto sheets: the batch's own input (a file, standard input or --text,
// plain lines or name<TAB>text) and symbol options, with the sheet options beside them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "options/batch_options.h"
#include "sheet_arguments.h"

namespace qrsheet {

// The sheet options taken out of args as TakeSheetArguments does, and the options that mean
// nothing on a sheet (--format, --size, ...) refused; a usage error leaves its message in error.
std::optional<SheetArguments> TakeSheetOptions(std::vector<std::string>& args, std::string& error);

// The exit status, as RunSheets gives it.
int RunSheetCommand(const SheetArguments& sheet, const qrcli::BatchOptions& options);

}  // namespace qrsheet
