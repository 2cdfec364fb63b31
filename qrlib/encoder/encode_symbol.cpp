#include "encode_symbol.h"

#include <algorithm>

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

    // Function patterns and data placement do not depend on the mask: build them once, then
    // try each mask on a copy of the modules.
    const ModuleMatrix unmasked = BuildUnmaskedMatrix(version, codewords);
    ModuleMatrix work = unmasked;
    auto applyMask = [&](int mask) {
        std::copy(unmasked.modules.begin(), unmasked.modules.end(), work.modules.begin());
        WriteFormatInfo(work, params.ecLevel, mask);
        ApplyMask(work, mask);
    };

    if (params.maskSetting != 0) {
        applyMask(params.maskSetting - 1);
        return EncodedSymbol{version, params.maskSetting - 1, std::move(work)};
    }
    int best = 0;
    uint32_t lowest = 0;
    std::vector<uint8_t> bestModules;
    for (int mask = 0; mask < 8; ++mask) {
        applyMask(mask);
        const uint32_t score = ScoreMask(work);
        if (mask == 0 || score < lowest) {  // equal scores keep the lower mask number
            lowest = score;
            best = mask;
            bestModules = work.modules;
        }
    }
    work.modules = std::move(bestModules);
    return EncodedSymbol{version, best, std::move(work)};
}

}  // namespace qr
