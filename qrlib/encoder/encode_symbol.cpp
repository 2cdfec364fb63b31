#include "encode_symbol.h"

#include <algorithm>

#include "bit_stream.h"
#include "mask_choice.h"
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

    // Function patterns and data placement do not depend on the mask: the mask is chosen on
    // packed rows, then only that one is applied to the modules.
    ModuleMatrix symbol = BuildUnmaskedMatrix(version, codewords);
    const int mask = params.maskSetting != 0 ? params.maskSetting - 1
                                             : ChooseMask(symbol, version, params.ecLevel);
    WriteFormatInfo(symbol, params.ecLevel, mask);
    ApplyMask(symbol, mask);
    return EncodedSymbol{version, mask, std::move(symbol)};
}

}  // namespace qr
