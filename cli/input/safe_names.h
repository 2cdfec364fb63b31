// File names that stand on Linux and on Windows alike, for batches of texts such as web
// addresses that are not names.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qrcli {

// The text with every character that no file name may hold on either system turned into _:
// control characters, < > : " / \ | ? *, bytes that are not UTF-8, and spaces and dots at the
// end. A name Windows keeps for a device (CON, NUL, COM1, ...) gets a _ after it. Cut to at
// most maxBytes at a character boundary. Empty only for an empty text.
std::string SafeFileName(std::string_view text, size_t maxBytes);

// The name of --name-format for a number: its one %d (with an optional 0 flag and width)
// replaced, %% made %. The format is one that ParseNameFormat accepts.
std::string NumberedName(std::string_view format, size_t number);

}  // namespace qrcli
