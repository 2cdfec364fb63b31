#include "text/code_page.h"

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
}

}  // namespace

std::size_t CharacterLength(std::string_view text, std::size_t position, CodePage codePage) {
    const std::size_t remaining = text.size() - position;
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead < 0x80) return 1;
    if (codePage == CodePage::Gbk) return remaining >= 2 ? 2 : 1;
    // A broken UTF-8 sequence counts one byte at a time, so no separator is ever skipped.
    const std::size_t length = Utf8SequenceLength(lead);
    if (length > remaining) return 1;
    for (std::size_t i = 1; i < length; ++i)
        if (!IsContinuation(static_cast<unsigned char>(text[position + i]))) return 1;
    return length;
}
