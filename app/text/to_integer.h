#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/code_page.h"

// Folds the GBK full-width forms to ASCII: full-width digits, signs and the ideographic space
// become their ASCII characters. On a UTF-8 system the same characters are folded from their
// UTF-8 forms. Every other character passes unchanged.
std::string FoldFullWidth(std::string_view text, CodePage codePage = SystemCodePage());

// Leading white space, an optional sign and decimal digits, after the full-width folding;
// no digits give 0. Values beyond the 32-bit range saturate at its ends.
std::int32_t ToInteger(std::string_view text, CodePage codePage = SystemCodePage());
