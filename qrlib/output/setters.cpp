// The seven setter exports: out-of-range values are replaced, never rejected.
#include <cstring>

#include "canvas.h"
#include "settings_record.h"

using qrlib::Settings;

namespace {

// 16-bit fields compare unsigned on the argument's low 16 bits.
int16_t Limited(int16_t value, uint16_t limit) {
    const auto u = static_cast<uint16_t>(value);
    return u > limit ? 0 : static_cast<int16_t>(u);
}

uint32_t ColorFrom(int16_t red, int16_t green, int16_t blue) {
    return qrplat::MakeColorRef(static_cast<uint16_t>(Limited(red, 255)),
                                static_cast<uint16_t>(Limited(green, 255)),
                                static_cast<uint16_t>(Limited(blue, 255)));
}

}  // namespace

extern "C" {

QR_EXPORT void QRAPI QRSetDefault(void) {
    qrlib::ForgetLastEncoding();
    auto& s = Settings();
    s.frameStyle = 0;
    s.rotation = 0;
    s.moduleSizeCm = 0.07F;
    s.backColor = 0x00FFFFFF;
    s.barColor = 0;
    std::memcpy(s.message, "12", 3);
    s.maskInUse = 0;
    s.requestedVersion = 0;
    s.maskSetting = 0;
    s.ecLevel = 0;
    s.height = 300;
    s.width = 500;
    s.backDepth = 1;
    s.barDepth = 1;
}

QR_EXPORT void QRAPI QRSetSize(int32_t width, int32_t height) {
    qrlib::ForgetLastEncoding();
    auto& s = Settings();
    s.width = width == 0 ? 500 : width;
    s.height = height == 0 ? 300 : height;
}

QR_EXPORT void QRAPI QRSetMessage(const char* text) {
    qrlib::ForgetLastEncoding();
    auto& s = Settings();
    // A longer text is cut to what the record holds; no text at all counts as the empty text.
    const size_t length = text == nullptr ? 0 : strnlen(text, qrlib::kMessageCapacity - 1);
    if (length > 0) std::memmove(s.message, text, length);
    s.message[length] = '\0';
}

QR_EXPORT void QRAPI QRConfigure(int16_t version, int16_t level, int16_t mask) {
    qrlib::ForgetLastEncoding();
    auto& s = Settings();
    s.requestedVersion = Limited(version, 40);
    s.ecLevel = Limited(level, 3);
    s.maskSetting = Limited(mask, 8);
}

QR_EXPORT void QRAPI QRAppearance(double moduleSizeCm, int16_t rotation, int16_t frameStyle) {
    qrlib::ForgetLastEncoding();
    auto& s = Settings();
    s.moduleSizeCm = moduleSizeCm > 0.0 ? static_cast<float>(moduleSizeCm) : 0.07F;
    s.rotation = Limited(rotation, 3);
    s.frameStyle = Limited(frameStyle, 2);
}

QR_EXPORT void QRAPI QRSetBackColor(int16_t red, int16_t green, int16_t blue) {
    qrlib::ForgetLastEncoding();
    auto& s = Settings();
    s.backColor = ColorFrom(red, green, blue);
    s.backDepth = s.backColor == 0x00FFFFFF ? 1 : 4;
}

QR_EXPORT void QRAPI QRSetBarColor(int16_t red, int16_t green, int16_t blue) {
    qrlib::ForgetLastEncoding();
    auto& s = Settings();
    s.barColor = ColorFrom(red, green, blue);
    s.barDepth = s.barColor == 0 ? 1 : 4;
}

}  // extern "C"
