#include "encode_symbol.h"

#include "bit_stream.h"
#include "mask_score.h"
#include "matrix_builder.h"
#include "reed_solomon.h"

namespace qr {

std::optional<EncodedSymbol> EncodeSymbol(std::span<const uint8_t> message,
                                          const SymbolParams& params) {
    const Mode mode = ChooseMode(message);
    const int version =
        SelectVersion(message.size(), mode, params.requestedVersion, params.ecLevel);
    if (version == 0) return std::nullopt;

    const std::vector<uint8_t> data = BuildDataCodewords(message, mode, version, params.ecLevel);
    const std::vector<uint8_t> codewords =
        InterleaveBlocks(data, EcBlocksFor(version, params.ecLevel));

    // Function patterns and data placement do not depend on the mask: build them once.
    const ModuleMatrix unmasked = BuildUnmaskedMatrix(version, codewords);
    auto masked = [&](int mask) {
        ModuleMatrix m = unmasked;
        WriteFormatInfo(m, params.ecLevel, mask);
        ApplyMask(m, mask);
        return m;
    };

    int best = params.maskSetting - 1;
    if (params.maskSetting == 0) {
        uint32_t lowest = 0;
        for (int mask = 0; mask < 8; ++mask) {
            const uint32_t score = ScoreMask(masked(mask));
            if (mask == 0 || score < lowest) {
                lowest = score;
                best = mask;
            }
        }
    }
    return EncodedSymbol{version, best, masked(best)};
}

}  // namespace qr
