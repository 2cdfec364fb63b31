// Line splitting in both code pages, the full-width folding with ToInteger, and the notice
// page's field cutting, on any bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "notice/notice_page.h"
#include "text/split_lines.h"
#include "text/to_integer.h"

namespace {

// Joining the pieces with the separator gives the text back, less a final separator.
void CheckSplit(std::string_view text, std::string_view separator, CodePage codePage) {
    const auto pieces = SplitLines(text, separator, codePage);
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) joined += separator;
        joined += pieces[i];
    }
    std::string_view expected = text;
    if (expected.size() >= separator.size() && !separator.empty() &&
        expected.substr(expected.size() - separator.size()) == separator &&
        joined.size() + separator.size() == expected.size()) {
        expected.remove_suffix(separator.size());
    }
    if (joined != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (CodePage codePage : {CodePage::Gbk, CodePage::Utf8}) {
        CheckSplit(text, "\r\n", codePage);
        CheckSplit(text, "|<br>", codePage);
        CheckSplit(text, "=", codePage);
        (void)ToInteger(text, codePage);
        (void)FoldFullWidth(text, codePage);
    }
    const NoticePage page = ReadNoticePage(std::string_view(text.data(), size));
    if (page.valueCount < 0 || page.valueCount > kNoticeFieldCount) std::abort();
    return 0;
}
