#include "text/split_lines.h"

std::vector<std::string> SplitLines(std::string_view text, std::string_view separator,
                                    CodePage codePage) {
    std::vector<std::string> pieces;
    std::size_t pieceStart = 0;
    std::size_t position = 0;
    while (position < text.size()) {
        if (!separator.empty() && text.substr(position).starts_with(separator)) {
            pieces.emplace_back(text.substr(pieceStart, position - pieceStart));
            position += separator.size();
            pieceStart = position;
        } else {
            position += CharacterLength(text, position, codePage);
        }
    }
    if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}
