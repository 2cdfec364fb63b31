#include "text_symbols.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "bit_buffer.h"
#include "mask_choice.h"
#include "matrix_builder.h"
#include "micro_symbol.h"
#include "reed_solomon.h"
#include "segment_writing.h"
#include "segmentation.h"
#include "tables.h"

namespace qr {

namespace {

using Bytes = std::span<const uint8_t>;

constexpr int kLinkHeaderBits = 20;  // mode 0011, index, total - 1, parity

size_t QrCapacity(int version, int level) {
    return 8 * static_cast<size_t>(DataCodewords(version, level));
}

struct Link {
    int index;
    int total;
    uint8_t parity;
};

// plan: the part's segments for this version's count fields when already made, or null.
EncodedSymbol BuildQr(Bytes part, int version, const TextOptions& o, const Link* link,
                      const SegmentPlan* plan = nullptr) {
    BitBuffer bits((QrCapacity(version, o.level) + 7) / 8);
    if (link != nullptr) {
        bits.Append(0b0011, 4);
        bits.Append(static_cast<uint32_t>(link->index), 4);
        bits.Append(static_cast<uint32_t>(link->total - 1), 4);
        bits.Append(link->parity, 8);
    }
    if (o.eci != 0) WriteEci(bits, o.eci);
    const SegmentHeader header = QrSegmentHeader(version);
    if (plan != nullptr) {
        WriteSegments(bits, part, plan->segments, header);
    } else {
        WriteSegments(bits, part, PlanSegments(part, header, o.shiftJis).segments, header);
    }
    const std::vector<uint8_t> data =
        FillDataCodewords(std::move(bits), QrCapacity(version, o.level), 4);
    ModuleMatrix symbol =
        BuildUnmaskedMatrix(version, InterleaveBlocks(data, EcBlocksFor(version, o.level)));
    const int mask = o.maskSetting != 0 ? o.maskSetting - 1 : ChooseMask(symbol, version, o.level);
    WriteFormatInfo(symbol, o.level, mask);
    ApplyMask(symbol, mask);
    return EncodedSymbol{version, mask, std::move(symbol)};
}

bool FitsQr(Bytes text, int version, const TextOptions& o, bool linked) {
    const size_t bits = QrTextBits(text, version, o.eci, linked, o.shiftJis);
    return bits != kNoFit && bits <= QrCapacity(version, o.level);
}

// Whether one symbol of a version from first to last holds the text. The bits change only
// where the count fields widen (versions 10 and 27), so the last version of each group decides.
bool FitsOneQr(Bytes text, const TextOptions& o, int first, int last) {
    // Byte mode alone, with the widest count field, is never shorter than the shortest plan.
    const size_t byteBits = 4 + 16 + 8 * text.size() + (o.eci != 0 ? kEciBits : 0);
    if (byteBits <= QrCapacity(last, o.level)) return true;
    for (int version = first; version <= last; ++version) {
        if ((version == 9 || version == 26 || version == last) && FitsQr(text, version, o, false)) {
            return true;
        }
    }
    return false;
}

// Where a part may end: before a byte that starts a character (UTF-8 continuation bytes and
// the second byte of a double-byte Shift JIS character do not), and at the end.
std::vector<size_t> CutPoints(Bytes text, bool shiftJis) {
    std::vector<size_t> cuts;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t b = text[i];
        if (shiftJis) {
            cuts.push_back(i);
            if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < text.size()) {
                ++i;
            }
        } else if ((b & 0xC0) != 0x80) {
            cuts.push_back(i);
        }
    }
    if (cuts.empty() || cuts.front() != 0) cuts.insert(cuts.begin(), 0);
    cuts.push_back(text.size());
    return cuts;
}

// Each part as long as fits the version, from the start: the indices into cuts where parts
// end. Nothing when a character alone does not fit or more than `most` parts are needed.
std::optional<std::vector<size_t>> GreedyParts(Bytes text, const std::vector<size_t>& cuts,
                                               int version, const TextOptions& o, size_t most) {
    std::vector<size_t> ends;
    // No part holds more characters than digits fit the capacity at 10 bits per 3.
    const size_t longest = QrCapacity(version, o.level) * 3 / 10 + 2;
    for (size_t start = 0; start + 1 < cuts.size();) {
        if (ends.size() == most) return std::nullopt;
        size_t low = start + 1;  // the first candidate end, must fit
        auto fits = [&](size_t end) {
            return FitsQr(text.subspan(cuts[start], cuts[end] - cuts[start]), version, o, true);
        };
        if (!fits(low)) return std::nullopt;
        size_t high = std::min(cuts.size() - 1, start + longest);
        while (low < high) {  // the last end that fits
            const size_t middle = (low + high + 1) / 2;
            if (fits(middle)) {
                low = middle;
            } else {
                high = middle - 1;
            }
        }
        ends.push_back(low);
        start = low;
    }
    return ends;
}

// More parts from the same ones: the part of the most characters halved until there are
// `wanted`. A half never needs more bits than its whole, so every part still fits.
void SplitFurther(std::vector<size_t>& ends, size_t wanted) {
    while (ends.size() < wanted) {
        size_t widest = 0;
        size_t widestStart = 0;
        size_t start = 0;
        for (size_t i = 0; i < ends.size(); ++i) {
            if (ends[i] - start > ends[widest] - widestStart) {
                widest = i;
                widestStart = start;
            }
            start = ends[i];
        }
        ends.insert(ends.begin() + static_cast<std::ptrdiff_t>(widest),
                    widestStart + (ends[widest] - widestStart) / 2);
    }
}

TextSymbols Linked(Bytes text, const TextOptions& o, int version, const std::vector<size_t>& cuts,
                   const std::vector<size_t>& ends) {
    TextSymbols result;
    const uint8_t parity = TextParity(text);
    size_t start = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        const Link link{static_cast<int>(i), static_cast<int>(ends.size()), parity};
        const Bytes part = text.subspan(cuts[start], cuts[ends[i]] - cuts[start]);
        result.symbols.push_back(BuildQr(part, version, o, &link));
        result.ends.push_back(cuts[ends[i]]);
        start = ends[i];
    }
    return result;
}

// Linked symbols, all of one version: the fewest that hold the text at the largest version
// allowed (or exactly o.parts), then the smallest version that still holds it in so many.
std::optional<TextSymbols> EncodeLinked(Bytes text, const TextOptions& o, int first, int last) {
    const std::vector<size_t> cuts = CutPoints(text, o.shiftJis);
    const size_t most = o.parts > 1 ? static_cast<size_t>(o.parts) : kMaxLinkedSymbols;
    const auto atLast = GreedyParts(text, cuts, last, o, most);
    if (!atLast) return std::nullopt;
    const size_t count = o.parts > 1 ? most : atLast->size();
    // Parts needed fall as the version grows: the smallest version that needs no more.
    int low = first;
    int high = last;
    while (low < high) {
        const int middle = (low + high) / 2;
        if (GreedyParts(text, cuts, middle, o, count)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    std::vector<size_t> ends = *GreedyParts(text, cuts, low, o, count);
    SplitFurther(ends, count);
    return Linked(text, o, low, cuts, ends);
}

TextSymbols EncodeMicro(Bytes text, const TextOptions& o) {
    TextSymbols result;
    if (o.eci != 0 || o.parts > 1 || o.splitWhenLong) {
        result.failure = NoSymbol::kMicroExtras;
        return result;
    }
    const int first = std::max(o.version, 1);
    const int last = o.exactVersion ? first : kMicroVersions;
    bool anyLevel = false;
    for (int version = first; version <= last; ++version) {
        const auto capacity = MicroCapacityOf(version, o.level);
        if (!capacity) continue;
        anyLevel = true;
        const SegmentHeader header = MicroSegmentHeader(version);
        const SegmentPlan plan = PlanSegments(text, header, o.shiftJis);
        result.bits = plan.bits;
        result.capacityBits = static_cast<size_t>(capacity->dataBits);
        result.largestVersion = version;
        if (plan.bits == kNoFit || plan.bits > result.capacityBits) continue;
        BitBuffer bits;
        WriteSegments(bits, text, plan.segments, header);
        const std::vector<uint8_t> data =
            FillDataCodewords(std::move(bits), result.capacityBits, MicroTerminatorBits(version));
        MicroMatrix made = BuildMicroSymbol(version, *capacity, data, o.maskSetting - 1);
        result.symbols.push_back({version, made.mask, std::move(made.matrix)});
        result.ends.push_back(text.size());
        return result;
    }
    result.failure = anyLevel ? NoSymbol::kTooLong : NoSymbol::kMicroLevel;
    for (int version = last + 1; version <= kMicroVersions && result.neededVersion == 0;
         ++version) {
        const auto capacity = MicroCapacityOf(version, o.level);
        if (capacity && PlanSegments(text, MicroSegmentHeader(version), o.shiftJis).bits <=
                            static_cast<size_t>(capacity->dataBits)) {
            result.neededVersion = version;
        }
    }
    return result;
}

}  // namespace

size_t LinkedSymbolCount(Bytes text, const TextOptions& o) {
    if (o.micro || (o.parts <= 1 && !o.splitWhenLong)) return 0;
    const int first = std::max(o.version, kMinVersion);
    const int last = o.exactVersion ? first : kMaxVersion;
    if (o.parts <= 1 && FitsOneQr(text, o, first, last)) return 0;
    const std::vector<size_t> cuts = CutPoints(text, o.shiftJis);
    const size_t most = o.parts > 1 ? static_cast<size_t>(o.parts) : kMaxLinkedSymbols;
    if (o.parts > 1 && cuts.size() - 1 < most) return 0;  // too few characters
    // As EncodeLinked: the count is that of the largest version.
    const auto atLast = GreedyParts(text, cuts, last, o, most);
    if (!atLast) return 0;
    return o.parts > 1 ? most : atLast->size();
}

uint8_t TextParity(Bytes text) {
    uint8_t parity = 0;
    for (uint8_t b : text) parity ^= b;
    return parity;
}

namespace {

size_t WithHeaders(size_t segmentBits, int eci, bool linked) {
    if (segmentBits == kNoFit) return kNoFit;
    return segmentBits + static_cast<size_t>(eci != 0 ? kEciBits : 0) +
           static_cast<size_t>(linked ? kLinkHeaderBits : 0);
}

}  // namespace

size_t QrTextBits(Bytes text, int version, int eci, bool linked, bool shiftJis) {
    return WithHeaders(PlanSegments(text, QrSegmentHeader(version), shiftJis).bits, eci, linked);
}

TextSymbols EncodeText(Bytes text, const TextOptions& o) {
    if (o.micro) return EncodeMicro(text, o);
    const int first = std::max(o.version, kMinVersion);
    const int last = o.exactVersion ? first : kMaxVersion;
    TextSymbols result;

    if (o.parts <= 1) {
        // The plan changes only where the count fields widen (versions 10 and 27).
        std::array<std::optional<SegmentPlan>, 3> plans;
        for (int version = first; version <= last; ++version) {
            auto& plan = plans[version <= 9 ? 0 : version <= 26 ? 1 : 2];
            if (!plan) plan = PlanSegments(text, QrSegmentHeader(version), o.shiftJis);
            result.bits = WithHeaders(plan->bits, o.eci, false);
            result.capacityBits = QrCapacity(version, o.level);
            result.largestVersion = version;
            if (result.bits != kNoFit && result.bits <= result.capacityBits) {
                result.symbols.push_back(BuildQr(text, version, o, nullptr, &*plan));
                result.ends.push_back(text.size());
                return result;
            }
        }
    }
    if (o.parts > 1 || o.splitWhenLong) {
        if (o.parts > 1 && CutPoints(text, o.shiftJis).size() - 1 < static_cast<size_t>(o.parts)) {
            result.failure = NoSymbol::kTooFewCharacters;
            return result;
        }
        if (auto linked = EncodeLinked(text, o, first, last)) return std::move(*linked);
        if (o.parts > 1) {  // for the message: the text in one symbol of the largest version
            result.bits = QrTextBits(text, last, o.eci, false, o.shiftJis);
            result.capacityBits = QrCapacity(last, o.level);
            result.largestVersion = last;
        }
    }
    result.failure = NoSymbol::kTooLong;
    if (o.exactVersion) {
        for (int version = first + 1; version <= kMaxVersion && result.neededVersion == 0;
             ++version) {
            if (FitsQr(text, version, o, false)) result.neededVersion = version;
        }
    }
    return result;
}

}  // namespace qr
