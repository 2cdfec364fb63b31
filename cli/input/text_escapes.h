// --esc: backslash escapes in a text turned into the characters they stand for, as other
// barcode tools read them, so that one line of input can hold a line break.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrcli {

// \n, \r, \t, \\, \xNN (one byte), \uNNNN (a character, written as UTF-8). Nothing, with the
// reason in error, for any other backslash.
std::optional<std::string> Unescape(std::string_view text, std::string& error);

}  // namespace qrcli
