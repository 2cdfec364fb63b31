#include "bit_stream.h"

#include "bit_buffer.h"

namespace qr {

namespace {

size_t DataBits(size_t length, Mode mode) {
    switch (mode) {
        case Mode::kNumeric: {
            static constexpr size_t kTail[3] = {0, 4, 7};
            return 10 * (length / 3) + kTail[length % 3];
        }
        case Mode::kAlphanumeric:
            return 11 * (length / 2) + 6 * (length % 2);
        case Mode::kByte:
            break;
    }
    return 8 * length;
}

}  // namespace

int AlphanumericValue(uint8_t byte) {
    if (byte >= '0' && byte <= '9') return byte - '0';
    if (byte >= 'A' && byte <= 'Z') return byte - 'A' + 10;
    static constexpr char kSymbols[] = " $%*+-./:";
    for (int i = 0; kSymbols[i] != '\0'; ++i) {
        if (byte == static_cast<uint8_t>(kSymbols[i])) return 36 + i;
    }
    return -1;
}

Mode ChooseMode(Bytes text) {
    bool numeric = true;
    for (uint8_t byte : text) {
        if (byte < '0' || byte > '9') {
            numeric = false;
            if (AlphanumericValue(byte) < 0) return Mode::kByte;
        }
    }
    return numeric ? Mode::kNumeric : Mode::kAlphanumeric;
}

int BitCost(size_t length, Mode mode, int version) {
    const size_t bits = 4 + static_cast<size_t>(CountBits(mode, version)) + DataBits(length, mode);
    return bits > 1'000'000 ? 1'000'000 : static_cast<int>(bits);
}

int SelectVersion(size_t length, Mode mode, int requestedVersion, int level) {
    for (int version = requestedVersion == 0 ? 1 : requestedVersion; version <= kMaxVersion;
         ++version) {
        if (BitCost(length, mode, version) <= 8 * DataCodewords(version, level)) return version;
    }
    return 0;
}

std::vector<uint8_t> BuildDataCodewords(Bytes text, Mode mode, int version, int level) {
    const size_t capacity = static_cast<size_t>(DataCodewords(version, level));
    BitBuffer bits(capacity);
    bits.Append(static_cast<uint32_t>(mode), 4);
    bits.Append(static_cast<uint32_t>(text.size()), CountBits(mode, version));

    const size_t n = text.size();
    switch (mode) {
        case Mode::kNumeric:
            for (size_t i = 0; i < n; i += 3) {
                const size_t digits = n - i < 3 ? n - i : 3;
                uint32_t value = 0;
                for (size_t k = 0; k < digits; ++k) value = value * 10 + (text[i + k] - '0');
                bits.Append(value, digits == 3 ? 10 : digits == 2 ? 7 : 4);
            }
            break;
        case Mode::kAlphanumeric:
            for (size_t i = 0; i < n; i += 2) {
                if (i + 1 < n) {
                    bits.Append(static_cast<uint32_t>(45 * AlphanumericValue(text[i]) +
                                                      AlphanumericValue(text[i + 1])),
                                11);
                } else {
                    bits.Append(static_cast<uint32_t>(AlphanumericValue(text[i])), 6);
                }
            }
            break;
        case Mode::kByte:
            for (uint8_t byte : text) bits.Append(byte, 8);
            break;
    }

    const size_t room = 8 * capacity - bits.length();
    bits.Append(0, room >= 4 ? 4 : static_cast<int>(room));

    std::vector<uint8_t> codewords = bits.Take();  // a partial last codeword is already zero-filled
    for (bool ec = true; codewords.size() < capacity; ec = !ec) {
        codewords.push_back(ec ? 0xEC : 0x11);
    }
    return codewords;
}

}  // namespace qr
