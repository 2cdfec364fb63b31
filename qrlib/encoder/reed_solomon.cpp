#include "reed_solomon.h"

namespace qr {

uint8_t GfMultiply(uint8_t a, uint8_t b) {
    if (a == 0 || b == 0) return 0;
    unsigned s = kGfLog[a] + kGfLog[b];
    if (s > 254) s -= 255;
    return static_cast<uint8_t>(kGfExp[s]);
}

namespace {

// Exponentials over two periods, so that a sum of two logarithms needs no reduction.
struct DoubleExp {
    uint8_t values[510];
    DoubleExp() {
        for (int i = 0; i < 510; ++i) values[i] = static_cast<uint8_t>(kGfExp[i % 255]);
    }
};

}  // namespace

std::vector<uint8_t> ComputeBlockEcc(std::span<const uint8_t> data, int e) {
    static const DoubleExp exp;
    const uint16_t* generator = GeneratorPoly(e);
    const size_t degree = static_cast<size_t>(e);
    // The shift register of the division: r[j] holds the coefficient of x^j of the remainder.
    // Multiplications by the generator's coefficients go through their logarithms, worked
    // out once per block; a zero coefficient (none in these polynomials) is kept apart.
    uint16_t generatorLog[kMaxGeneratorDegree + 1];
    bool generatorZero[kMaxGeneratorDegree + 1];
    for (size_t j = 0; j < degree; ++j) {
        generatorZero[j] = generator[j] == 0;
        generatorLog[j] = generatorZero[j] ? 0 : kGfLog[generator[j]] % 255;
    }
    std::vector<uint8_t> r(degree, 0);
    for (uint8_t d : data) {
        const uint8_t feedback = d ^ r[degree - 1];
        const unsigned feedbackLog = feedback == 0 ? 0 : kGfLog[feedback] % 255;
        for (size_t j = degree - 1; j >= 1; --j) {
            const uint8_t product =
                feedback == 0 || generatorZero[j] ? 0 : exp.values[feedbackLog + generatorLog[j]];
            r[j] = r[j - 1] ^ product;
        }
        r[0] = feedback == 0 || generatorZero[0] ? 0 : exp.values[feedbackLog + generatorLog[0]];
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
