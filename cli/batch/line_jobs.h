// From a line of the input (or a --text) to the work it asks for: the text to encode and the
// name of its file, or why it fails before anything is drawn.
#pragma once

#include <cstddef>
#include <string>

#include "input/input_lines.h"
#include "input/table_source.h"
#include "options/batch_options.h"

namespace qrcli {

struct LineJob {
    size_t number = 0;  // counts from 1
    std::string text;
    std::string fileName;  // in the output folder; empty for standard output
    std::string failure;   // not empty: the line fails with this reason
    // Another shard's line: named and checked for clashes as in the whole run, not made.
    bool otherShard = false;
    // An earlier line of the same text has the name, and its file is made (in the archive
    // already, or by another shard): this line is made to report the same outcome, not written.
    bool madeBefore = false;
};

// fileName, when not empty, is the file of a single code (-o FILE) and is used as it is.
LineJob JobForLine(InputLine&& line, size_t number, const BatchOptions& options,
                   const std::string& fileName);

// The same for a record of a table; the job is numbered by the line (or row) it starts on.
LineJob JobForItem(TableItem&& item, const BatchOptions& options, const std::string& fileName);

}  // namespace qrcli
