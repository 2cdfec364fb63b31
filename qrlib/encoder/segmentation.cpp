#include "segmentation.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory_resource>
#include <vector>

#include "bit_stream.h"

namespace qr {

namespace {

// The states of the path: the mode of the open segment and, for numeric and alphanumeric, how
// many characters of its last group of three or two are written so far (0: a group is closed).
enum State : uint8_t { kN0, kN1, kN2, kA0, kA1, kB, kK, kStates };
constexpr uint8_t kNewSegment = 0x80;
constexpr uint8_t kStart = 0x7F;

constexpr SegmentMode ModeOf(int state) {
    return state <= kN2   ? SegmentMode::kNumeric
           : state <= kA1 ? SegmentMode::kAlphanumeric
           : state == kB  ? SegmentMode::kByte
                          : SegmentMode::kKanji;
}

// One character: a byte, or a double-byte Shift JIS character.
struct Unit {
    uint8_t bytes;
    bool numeric;
    bool alphanumeric;
    bool kanji;
};

std::pmr::vector<Unit> UnitsOf(std::span<const uint8_t> text, bool shiftJis,
                               std::pmr::memory_resource* memory) {
    std::pmr::vector<Unit> units(memory);
    units.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const uint8_t b = text[i];
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (shiftJis && lead && i + 1 < text.size()) {
            units.push_back({2, false, false, KanjiValue(b, text[i + 1]) >= 0});
            i += 2;
            continue;
        }
        units.push_back({1, b >= '0' && b <= '9', AlphanumericValue(b) >= 0, false});
        ++i;
    }
    return units;
}

bool Allows(const Unit& u, SegmentMode mode) {
    switch (mode) {
        case SegmentMode::kNumeric:
            return u.numeric;
        case SegmentMode::kAlphanumeric:
            return u.alphanumeric;
        case SegmentMode::kByte:
            return true;
        case SegmentMode::kKanji:
            break;
    }
    return u.kanji;
}

// Bits one more character adds in this state, and the state after it.
struct Step {
    uint8_t next;
    uint8_t bits;
};

Step Extend(int state, const Unit& u) {
    switch (state) {
        case kN0:
            return {kN1, 4};
        case kN1:
            return {kN2, 3};  // two digits take 7 bits
        case kN2:
            return {kN0, 3};  // three take 10
        case kA0:
            return {kA1, 6};
        case kA1:
            return {kA0, 5};  // a pair takes 11
        case kB:
            return {kB, static_cast<uint8_t>(8 * u.bytes)};
        default:
            return {kK, 13};
    }
}

constexpr uint8_t kFirstState[kSegmentModes] = {kN0, kA0, kB, kK};

size_t CountOf(SegmentMode mode, size_t bytes) {
    return mode == SegmentMode::kKanji ? bytes / 2 : bytes;
}

}  // namespace

int KanjiValue(uint8_t lead, uint8_t trail) {
    if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
    const int code = lead << 8 | trail;
    int offset = 0;
    if (code >= 0x8140 && code <= 0x9FFC) {
        offset = code - 0x8140;
    } else if (code >= 0xE040 && code <= 0xEBBF) {
        offset = code - 0xC140;
    } else {
        return -1;
    }
    return (offset >> 8) * 0xC0 + (offset & 0xFF);
}

SegmentHeader QrSegmentHeader(int version) {
    const int group = version <= 9 ? 0 : version <= 26 ? 1 : 2;
    static constexpr int kWidths[3][kSegmentModes] = {
        {10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};
    SegmentHeader header;
    std::copy(std::begin(kWidths[group]), std::end(kWidths[group]), header.countBits.begin());
    return header;
}

size_t SegmentBits(SegmentMode mode, size_t length, const SegmentHeader& header) {
    size_t data = 0;
    switch (mode) {
        case SegmentMode::kNumeric: {
            static constexpr size_t kTail[3] = {0, 4, 7};
            data = 10 * (length / 3) + kTail[length % 3];
            break;
        }
        case SegmentMode::kAlphanumeric:
            data = 11 * (length / 2) + 6 * (length % 2);
            break;
        case SegmentMode::kByte:
            data = 8 * length;
            break;
        case SegmentMode::kKanji:
            data = 13 * (length / 2);
            break;
    }
    const auto index = static_cast<size_t>(mode);
    return static_cast<size_t>(header.indicatorBits + header.countBits[index]) + data;
}

SegmentPlan PlanSegments(std::span<const uint8_t> text, const SegmentHeader& header,
                         bool shiftJis) {
    SegmentPlan plan;
    if (text.empty()) {
        plan.segments.push_back({SegmentMode::kNumeric, 0, 0});
        plan.bits = SegmentBits(SegmentMode::kNumeric, 0, header);
        return plan;
    }
    // The path's tables of a short text (a batch's usual line) stay on the stack.
    std::array<std::byte, 4096> nearby;
    std::pmr::monotonic_buffer_resource memory(nearby.data(), nearby.size());
    const std::pmr::vector<Unit> units = UnitsOf(text, shiftJis, &memory);
    const size_t n = units.size();
    constexpr size_t kFar = SIZE_MAX / 4;
    // cost[k][s]: fewest bits for the first k characters ending in state s; from[k][s] how.
    std::pmr::vector<size_t> cost((n + 1) * kStates, kFar, &memory);
    std::pmr::vector<uint8_t> from((n + 1) * kStates, kStart, &memory);

    for (size_t k = 0; k < n; ++k) {
        const Unit& u = units[k];
        const size_t* here = &cost[k * kStates];
        size_t* there = &cost[(k + 1) * kStates];
        uint8_t* how = &from[(k + 1) * kStates];
        size_t cheapest = k == 0 ? 0 : kFar;
        uint8_t cheapestState = kStart;
        for (int s = 0; s < kStates; ++s) {
            if (here[s] < cheapest) {
                cheapest = here[s];
                cheapestState = static_cast<uint8_t>(s);
            }
        }
        // Going on with the open segment first, so that on equal bits fewer segments win.
        for (int s = 0; s < kStates; ++s) {
            if (here[s] >= kFar || !Allows(u, ModeOf(s))) continue;
            const Step step = Extend(s, u);
            if (here[s] + step.bits < there[step.next]) {
                there[step.next] = here[s] + step.bits;
                how[step.next] = static_cast<uint8_t>(s);
            }
        }
        for (size_t m = 0; m < kSegmentModes; ++m) {
            const auto mode = static_cast<SegmentMode>(m);
            if (header.countBits[m] == 0 || !Allows(u, mode)) continue;
            const Step step = Extend(kFirstState[m], u);
            const size_t total = cheapest +
                                 static_cast<size_t>(header.indicatorBits + header.countBits[m]) +
                                 step.bits;
            if (total < there[step.next]) {
                there[step.next] = total;
                how[step.next] = cheapestState == kStart ? kStart : (cheapestState | kNewSegment);
            }
        }
    }

    const size_t* last = &cost[n * kStates];
    const auto best = static_cast<int>(std::min_element(last, last + kStates) - last);
    if (last[best] >= kFar) {  // a character no available mode can hold
        plan.bits = kNoFit;
        return plan;
    }
    plan.bits = last[best];

    // Back from the end: a segment starts wherever the path opened one.
    std::pmr::vector<size_t> offsets(n + 1, 0, &memory);
    for (size_t k = 0; k < n; ++k) offsets[k + 1] = offsets[k] + units[k].bytes;
    size_t end = n;
    int state = best;
    plan.segments.reserve(4);  // most texts: one allocation
    for (size_t k = n; k > 0; --k) {
        const uint8_t came = from[k * kStates + static_cast<size_t>(state)];
        if (came == kStart || (came & kNewSegment)) {
            const SegmentMode mode = ModeOf(state);
            plan.segments.push_back({mode, offsets[k - 1], offsets[end] - offsets[k - 1]});
            end = k - 1;
        }
        state = came == kStart ? 0 : (came & ~kNewSegment);
    }
    std::reverse(plan.segments.begin(), plan.segments.end());

    for (const Segment& segment : plan.segments) {
        const auto index = static_cast<size_t>(segment.mode);
        const size_t count = CountOf(segment.mode, segment.length);
        if (count >= (size_t{1} << header.countBits[index])) plan.bits = kNoFit;
    }
    return plan;
}

}  // namespace qr
