// A caption's characters from the bytes of a line: UTF-8 when the bytes are UTF-8, otherwise
// GBK (read as GB18030, its superset), the two encodings Chinese text files come in.
#pragma once

#include <string>
#include <string_view>

namespace qrsheet {

// Bytes that are neither become U+FFFD; control characters become spaces.
std::u32string CaptionCharacters(std::string_view bytes);

}  // namespace qrsheet
