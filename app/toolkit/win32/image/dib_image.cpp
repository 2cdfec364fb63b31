#include "toolkit/win32/image/dib_image.h"

#include <cstdlib>
#include <utility>

namespace win32 {

DibImage::DibImage(std::vector<std::uint32_t> info, std::vector<unsigned char> pixels)
    : info_(std::move(info)), pixels_(std::move(pixels)) {}

int DibImage::Width() const {
    return Empty() ? 0 : Info()->bmiHeader.biWidth;
}

int DibImage::Height() const {
    return Empty() ? 0 : std::abs(Info()->bmiHeader.biHeight);
}

void DibImage::Draw(HDC dc, const RECT& target) const {
    if (Empty()) return;
    // Whole pixels, no blending: a QR symbol's modules stay sharp when stretched.
    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, Width(), Height(), pixels_.data(), Info(),
                  DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, previousMode);
}

DibImage ReadPicture(const ui::Bytes& bytes) {
    if (bytes.empty()) return {};
    // The format comes from the bytes, not from a name: BMP data may sit in a ".jpg" file.
    DibImage image = ReadBmpFile(bytes);
    if (image.Empty()) image = ReadWithImagingComponent(bytes);
    return image;
}

}  // namespace win32
