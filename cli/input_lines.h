// Reading the texts: one per line, split the way the window splits its input box.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrcli {

// Lines end at CR LF or at a bare LF; a lone CR is part of the text. Empty lines between two
// endings count; the piece after the last ending counts only when it is not empty. Bytes are
// passed through unchanged.
std::vector<std::string> SplitInputLines(std::string_view bytes);

// The whole input: a file, or standard input for "-". Nothing, with the reason, when it
// cannot be read.
std::optional<std::string> ReadInput(const std::string& name, std::string& error);

}  // namespace qrcli
