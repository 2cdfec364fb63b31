#include "metafile_recorder.h"

#include <algorithm>
#include <cstring>

namespace qrplat {

namespace {

constexpr uint32_t kPatCopy = 0x00F00021;

// WMF fields are 16-bit: coordinates keep their low 16 bits, as the platform's recorder does.
uint16_t Word(int v) {
    return static_cast<uint16_t>(v);
}

}  // namespace

bool MetafileRecorder::Room(size_t bytes) {
    constexpr size_t kMaxBytes = size_t{64} << 20;  // a version-40 symbol needs under 1 MiB
    if (records_.size() + bytes > kMaxBytes) overflowed_ = true;
    return !overflowed_;
}

std::optional<MetafileRecorder::BrushChange> MetafileRecorder::BrushFor(ColorRef color,
                                                                        int firstIndex) {
    if (anySelected_ && selected_ == color) return std::nullopt;
    selected_ = color;
    anySelected_ = true;
    const auto [found, created] =
        brushes_.emplace(color, firstIndex + static_cast<int>(brushes_.size()));
    return BrushChange{found->second, created};
}

void MetafileRecorder::Put16(uint32_t v) {
    records_.push_back(static_cast<uint8_t>(v));
    records_.push_back(static_cast<uint8_t>(v >> 8));
}

void MetafileRecorder::Put32(uint32_t v) {
    Put16(v & 0xFFFF);
    Put16(v >> 16);
}

// ---- Windows metafile -------------------------------------------------------------------------

void WmfRecorder::Record(uint16_t function, std::initializer_list<uint16_t> params) {
    const auto words = static_cast<uint32_t>(3 + params.size());
    if (function != 0 && !Room(2 * words)) return;
    maxRecordWords_ = std::max(maxRecordWords_, words);
    Put32(words);
    Put16(function);
    for (uint16_t p : params) Put16(p);
}

void WmfRecorder::SetWindowExt(int width, int height) {
    Record(0x020C, {Word(height), Word(width)});
}

void WmfRecorder::SetWindowOrg(int x, int y) {
    Record(0x020B, {Word(y), Word(x)});
}

void WmfRecorder::FillRect(int left, int top, int right, int bottom, ColorRef color) {
    if (right <= left || bottom <= top) return;
    if (const auto brush = BrushFor(color, 0)) {
        if (brush->create) {  // solid brush: style 0, colour, hatch 0
            Record(0x02FC, {0, static_cast<uint16_t>(color & 0xFFFF),
                            static_cast<uint16_t>(color >> 16), 0});
        }
        Record(0x012D, {static_cast<uint16_t>(brush->index)});
    }
    Record(0x061D, {static_cast<uint16_t>(kPatCopy & 0xFFFF), static_cast<uint16_t>(kPatCopy >> 16),
                    Word(bottom - top), Word(right - left), Word(top), Word(left)});
}

void WmfRecorder::MoveTo(int x, int y) {
    Record(0x0214, {Word(y), Word(x)});
}

void WmfRecorder::LineTo(int x, int y) {
    Record(0x0213, {Word(y), Word(x)});
}

std::vector<uint8_t> WmfRecorder::Finish() {
    Record(0x0000, {});  // end of file
    const size_t totalBytes = 18 + records_.size();
    std::vector<uint8_t> out;
    out.reserve(totalBytes);
    auto put16 = [&out](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    put16(1);       // in memory
    put16(9);       // header words
    put16(0x0300);  // version
    put16(static_cast<uint32_t>(totalBytes / 2) & 0xFFFF);
    put16(static_cast<uint32_t>(totalBytes / 2) >> 16);
    put16(static_cast<uint32_t>(brushes_.size()));
    put16(maxRecordWords_ & 0xFFFF);
    put16(maxRecordWords_ >> 16);
    put16(0);
    out.insert(out.end(), records_.begin(), records_.end());
    return out;
}

// ---- Enhanced metafile ------------------------------------------------------------------------

void EmfRecorder::Record(uint32_t type, std::initializer_list<uint32_t> params) {
    if (type != 14 && !Room(8 + 4 * params.size())) return;
    Put32(type);
    Put32(static_cast<uint32_t>(8 + 4 * params.size()));
    for (uint32_t p : params) Put32(p);
    ++count_;
}

void EmfRecorder::Include(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    if (!anyBounds_) {
        bounds_[0] = left;
        bounds_[1] = top;
        bounds_[2] = right;
        bounds_[3] = bottom;
        anyBounds_ = true;
        return;
    }
    bounds_[0] = std::min(bounds_[0], left);
    bounds_[1] = std::min(bounds_[1], top);
    bounds_[2] = std::max(bounds_[2], right);
    bounds_[3] = std::max(bounds_[3], bottom);
}

void EmfRecorder::SetMapMode(int mode) {
    Record(17, {static_cast<uint32_t>(mode)});
}

void EmfRecorder::SetWindowExt(int width, int height) {
    Record(9, {static_cast<uint32_t>(width), static_cast<uint32_t>(height)});
}

void EmfRecorder::SetWindowOrg(int x, int y) {
    Record(10, {static_cast<uint32_t>(x), static_cast<uint32_t>(y)});
}

void EmfRecorder::FillRect(int left, int top, int right, int bottom, ColorRef color) {
    if (right <= left || bottom <= top) return;
    if (const auto brush = BrushFor(color, 1)) {  // object 0 is the metafile itself
        const auto index = static_cast<uint32_t>(brush->index);
        if (brush->create) Record(39, {index, 0, color, 0});
        Record(37, {index});
    }
    Include(left, top, int64_t{right} - 1, int64_t{bottom} - 1);
    const auto u = [](int v) { return static_cast<uint32_t>(v); };
    // A pattern fill without a source bitmap: the source transform is the identity.
    uint32_t one = 0;
    const float kOne = 1.0F;
    std::memcpy(&one, &kOne, sizeof one);
    Record(76, {u(left),
                u(top),
                u(right - 1),
                u(bottom - 1),
                u(left),
                u(top),
                u(right - left),
                u(bottom - top),
                kPatCopy,
                0,
                0,
                one,
                0,
                0,
                one,
                0,
                0,
                0,
                0,
                0,
                0,
                0,
                0});
}

void EmfRecorder::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
    Record(27, {static_cast<uint32_t>(x), static_cast<uint32_t>(y)});
}

void EmfRecorder::LineTo(int x, int y) {
    Include(std::min(penX_, x), std::min(penY_, y), std::max(penX_, x), std::max(penY_, y));
    penX_ = x;
    penY_ = y;
    Record(54, {static_cast<uint32_t>(x), static_cast<uint32_t>(y)});
}

std::vector<uint8_t> EmfRecorder::Finish() {
    Record(14, {0, 16, 20});  // end of file: no palette, the record's own size last
    constexpr uint32_t kHeaderSize = 108;
    // The reference device: the screen, 1920 x 1080 pixels at 96 dots per inch.
    constexpr int32_t kDeviceWidth = 1920;
    constexpr int32_t kDeviceHeight = 1080;
    const int64_t frameScale = 2540;  // hundredths of a millimetre per inch
    const auto u = [](int64_t v) { return static_cast<uint32_t>(static_cast<int32_t>(v)); };
    const int64_t* b = bounds_;

    std::vector<uint8_t> records = std::move(records_);
    records_.clear();
    Put32(1);
    Put32(kHeaderSize);
    for (int i = 0; i < 4; ++i) Put32(u(b[i]));
    Put32(u(b[0] * frameScale / kScreenDpi));
    Put32(u(b[1] * frameScale / kScreenDpi));
    Put32(u((b[2] + 1) * frameScale / kScreenDpi));
    Put32(u((b[3] + 1) * frameScale / kScreenDpi));
    Put32(0x464D4520);  // " EMF"
    Put32(0x00010000);
    Put32(static_cast<uint32_t>(kHeaderSize + records.size()));
    Put32(count_ + 1);
    Put16(static_cast<uint32_t>(brushes_.size() + 1));
    Put16(0);
    Put32(0);  // no description
    Put32(0);
    Put32(0);  // no palette
    Put32(kDeviceWidth);
    Put32(kDeviceHeight);
    Put32(u(kDeviceWidth * 254 / (kScreenDpi * 10)));
    Put32(u(kDeviceHeight * 254 / (kScreenDpi * 10)));
    Put32(0);  // no pixel format
    Put32(0);
    Put32(0);  // not OpenGL
    Put32(u(int64_t{kDeviceWidth} * 254000 / kScreenDpi / 10));
    Put32(u(int64_t{kDeviceHeight} * 254000 / kScreenDpi / 10));
    std::vector<uint8_t> out = std::move(records_);
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

}  // namespace qrplat
