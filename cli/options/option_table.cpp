#include "options/option_table.h"

#include <iterator>

namespace qrcli {

namespace {

// The short letters follow qrencode where it has the same option.
constexpr OptionRow kOptions[] = {
    {OptionId::kOutput, "--output", 'o', true, "a folder or file name, or - for standard output"},
    {OptionId::kText, "--text", 0, true, ""},
    {OptionId::kMkdir, "--mkdir", 0, false, ""},
    {OptionId::kFormat, "--format", 't', true, "png, svg, eps, pdf, bmp, wmf, utf8 or ansi"},
    {OptionId::kName, "--name", 0, true, "line, safe or index"},
    {OptionId::kNameFormat, "--name-format", 0, true, "one %d, e.g. code-%05d"},
    {OptionId::kInputFormat, "--input-format", 0, true, "lines, tsv, csv or xlsx"},
    {OptionId::kSymVersion, "--symversion", 'v', true,
     "a version from 1 to 40 (M1 to M4 with --micro), or 0 to choose"},
    {OptionId::kLevel, "--level", 'l', true, "L, M, Q or H"},
    {OptionId::kMask, "--mask", 0, true, "auto or a pattern from 0 to 7"},
    {OptionId::kSize, "--size", 0, true, "WxH, e.g. 200x200"},
    {OptionId::kScale, "--scale", 's', true, "pixels per module, from 1 to 16384"},
    {OptionId::kBorder, "--border", 'm', true, "modules, from 0 to 100"},
    {OptionId::kModuleCm, "--module-cm", 0, true, "centimetres, e.g. 0.2"},
    {OptionId::kDpi, "--dpi", 0, true, "dots per inch, from 1 to 100000"},
    {OptionId::kRotate, "--rotate", 0, true, "0, 90, 180 or 270"},
    {OptionId::kRotation, "--rotation", 0, true, "0, 1, 2 or 3"},
    {OptionId::kFrame, "--frame", 0, true, "0, 1 or 2"},
    {OptionId::kFg, "--fg", 0, true, "#RRGGBB, #RRGGBBAA or transparent"},
    {OptionId::kBg, "--bg", 0, true, "#RRGGBB, #RRGGBBAA or transparent"},
    {OptionId::kFit, "--fit", 0, false, ""},
    {OptionId::kAppNames, "--app-names", 0, false, ""},
    {OptionId::kVerify, "--verify", 0, false, ""},
    {OptionId::kJobs, "--jobs", 'j', true, "a number from 1 to 256"},
    {OptionId::kQuiet, "--quiet", 'q', false, ""},
    {OptionId::kExact, "--exact", 0, false, ""},
    {OptionId::kEci, "--eci", 0, true, "utf8"},
    {OptionId::kMicro, "--micro", 0, false, ""},
    {OptionId::kKanji, "--kanji", 'k', false, ""},
    {OptionId::kSplit, "--split", 0, true, "a number of symbols from 2 to 16, or auto"},
    {OptionId::kHelp, "--help", 'h', false, ""},
    {OptionId::kVersion, "--version", 'V', false, ""},
    {OptionId::kArchive, "--archive", 0, true, "zip or tar"},
    {OptionId::kShard, "--shard", 0, true, "K/N, two whole numbers with K from 0 to N-1, e.g. 0/4"},
    {OptionId::kNoHeader, "--no-header", 0, false, ""},
    {OptionId::kSheetName, "--sheet-name", 0, true, "the name of a sheet"},
    {OptionId::kColumn, "--column", 0, true, "a column's name in the header or its number from 1"},
    {OptionId::kNameColumn, "--name-column", 0, true,
     "a column's name in the header or its number from 1"},
    {OptionId::kInputEncoding, "--input-encoding", 0, true, "utf-8, gbk or gb18030"},
    {OptionId::kTemplate, "--template", 0, true, "a text with {column} fields"},
    {OptionId::kPayload, "--payload", 0, true, "wifi, vcard, mecard or text"},
    {OptionId::kEsc, "--esc", 0, false, ""},
};

}  // namespace

const OptionRow* FindLongOption(std::string_view name) {
    if (name == "--version-info") name = "--version";  // the older spelling
    for (const OptionRow& option : kOptions) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

const OptionRow* FindShortOption(char letter) {
    for (const OptionRow& option : kOptions) {
        if (option.letter != 0 && option.letter == letter) return &option;
    }
    return nullptr;
}

const OptionRow& RowOf(OptionId id) {
    return kOptions[static_cast<size_t>(id)];
}

static_assert(std::size(kOptions) == static_cast<size_t>(OptionId::kEsc) + 1,
              "one entry per option, in the order of OptionId");

}  // namespace qrcli
