// Every option of the command line: its spellings, whether it takes a value, and the form of
// that value for messages.
#pragma once

#include <string_view>

namespace qrcli {

enum class OptionId {
    kOutput,
    kText,
    kMkdir,
    kFormat,
    kName,
    kNameFormat,
    kInputFormat,
    kSymVersion,
    kLevel,
    kMask,
    kSize,
    kScale,
    kBorder,
    kModuleCm,
    kDpi,
    kRotate,
    kRotation,
    kFrame,
    kFg,
    kBg,
    kFit,
    kAppNames,
    kVerify,
    kJobs,
    kQuiet,
    kExact,
    kEci,
    kMicro,
    kKanji,
    kSplit,
    kHelp,
    kVersion,
    kArchive,
    kShard,
    kNoHeader,
    kSheetName,
    kColumn,
    kNameColumn,
    kInputEncoding,
    kTemplate,
    kPayload,
    kEsc,
};

struct OptionRow {
    OptionId id;
    std::string_view name;  // with its dashes
    char letter;            // the short spelling, 0 for none
    bool takesValue;
    std::string_view expected;  // what a value must look like
};

// Nothing for an unknown name. Long names are given with their dashes.
const OptionRow* FindLongOption(std::string_view name);
const OptionRow* FindShortOption(char letter);
const OptionRow& RowOf(OptionId id);

}  // namespace qrcli
