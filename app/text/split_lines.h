#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/code_page.h"

// Cuts text at every occurrence of separator that begins at a character start. Pieces between
// two separators count even when empty; the piece after the last separator counts only when
// it is not empty; an empty text gives no pieces. An empty separator never matches.
std::vector<std::string> SplitLines(std::string_view text, std::string_view separator,
                                    CodePage codePage = SystemCodePage());
