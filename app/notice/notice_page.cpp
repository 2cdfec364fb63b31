#include "notice/notice_page.h"

#include <vector>

#include "text/split_lines.h"

namespace {

// "真" in GBK.
constexpr char kTrueWord[] = "\xD5\xE6";

// The page is GBK whatever the system's own code page is.
std::vector<std::string> SplitGbk(std::string_view text, std::string_view separator) {
    return SplitLines(text, separator, CodePage::Gbk);
}

}  // namespace

NoticePage ReadNoticePage(std::string_view body) {
    const std::string_view text = body.substr(0, body.find('\0'));
    const std::vector<std::string> fields = SplitGbk(text, "|<br>");

    std::string values[kNoticeFieldCount];
    int count = 0;
    while (count < kNoticeFieldCount && static_cast<std::size_t>(count) < fields.size()) {
        const std::vector<std::string> pieces = SplitGbk(fields[count], "=");
        if (pieces.size() < 2) break;
        values[count++] = pieces[1];
    }

    NoticePage page;
    page.valueCount = count;
    page.windowCaption = values[0];
    page.latestVersion = values[1];
    page.link = values[2];
    page.author = values[3];
    page.updateLog = values[4];
    page.mandatoryUpdate = values[5] == kTrueWord;
    return page;
}
