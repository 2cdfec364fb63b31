#include "reed_solomon.h"

namespace qr {

uint8_t GfMultiply(uint8_t a, uint8_t b) {
    if (a == 0 || b == 0) return 0;
    unsigned s = kGfLog[a] + kGfLog[b];
    if (s > 254) s -= 255;
    return static_cast<uint8_t>(kGfExp[s]);
}

std::vector<uint8_t> ComputeBlockEcc(std::span<const uint8_t> data, int e) {
    const uint16_t* generator = GeneratorPoly(e);
    // Shift register r[0..e-1]; r[j] holds the coefficient of x^j of the running remainder.
    std::vector<uint8_t> r(static_cast<size_t>(e), 0);
    for (uint8_t d : data) {
        const uint8_t feedback = d ^ r[static_cast<size_t>(e - 1)];
        for (int j = e - 1; j >= 1; --j) {
            r[static_cast<size_t>(j)] = r[static_cast<size_t>(j - 1)] ^
                                        GfMultiply(feedback, static_cast<uint8_t>(generator[j]));
        }
        r[0] = GfMultiply(feedback, static_cast<uint8_t>(generator[0]));
    }
    return {r.rbegin(), r.rend()};
}

std::vector<uint8_t> InterleaveBlocks(std::span<const uint8_t> dataCodewords,
                                      const EcBlockRow& row) {
    const size_t blocks = static_cast<size_t>(row.b1 + row.b2);
    const size_t k1 = static_cast<size_t>(row.k1);
    const int e = row.c1 - row.k1;

    std::vector<std::span<const uint8_t>> data(blocks);
    std::vector<std::vector<uint8_t>> ecc(blocks);
    size_t start = 0;
    for (size_t b = 0; b < blocks; ++b) {
        const size_t count = b < static_cast<size_t>(row.b1) ? k1 : k1 + 1;
        data[b] = dataCodewords.subspan(start, count);
        ecc[b] = ComputeBlockEcc(data[b], e);
        start += count;
    }

    std::vector<uint8_t> out;
    out.reserve(dataCodewords.size() + blocks * static_cast<size_t>(e));
    for (size_t j = 0; j <= k1; ++j) {
        for (size_t b = 0; b < blocks; ++b) {
            if (j < data[b].size()) out.push_back(data[b][j]);
        }
    }
    for (size_t t = 0; t < static_cast<size_t>(e); ++t) {
        for (size_t b = 0; b < blocks; ++b) out.push_back(ecc[b][t]);
    }
    return out;
}

}  // namespace qr
