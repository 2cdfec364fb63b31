#pragma once

#include <string>
#include <string_view>

// The values of the notice page, as the server wrote them (GBK bytes, untrimmed).
struct NoticePage {
    std::string windowCaption;     // field 1
    std::string latestVersion;     // field 2, leading decimal digits count
    std::string link;              // field 3
    std::string author;            // field 4
    std::string updateLog;         // field 5
    bool mandatoryUpdate = false;  // field 6 is exactly "真"
    // How many values, from the first on, the page really holds; reading stops at the first
    // field that is missing or has no value, and everything after it stays unknown.
    int valueCount = 0;

    bool HasValue(int field) const { return field >= 1 && field <= valueCount; }
};

inline constexpr int kNoticeFieldCount = 6;

// Cuts the body at "|<br>" into fields and each field at "=", the value being its second
// piece. The body counts up to its first NUL byte; the scan follows GBK characters, so a
// trail byte equal to "|" or "=" never cuts.
NoticePage ReadNoticePage(std::string_view body);
