// UTF-8 in the checks and their output, UTF-16 at the window-message interface.
#pragma once

#include <string>
#include <string_view>

namespace ui_client {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);

// A text for a check's detail line: quoted, with CR and LF made visible.
std::string Shown(std::string_view text);

}  // namespace ui_client
