// Pictures other than plain BMP (the notice's PNG logo, JPEG, GIF) through the Windows
// Imaging Component, laid on white where they are transparent.
#include <windows.h>

#include <wincodec.h>

#include <cstring>
#include <utility>

#include "toolkit/win32/image/dib_image.h"

namespace win32 {

namespace {

constexpr UINT kLargestSide = 8192;

// Releases a COM interface when it goes out of scope.
template <typename Interface>
class ComPointer {
  public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    Interface** Out() { return &pointer_; }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }

  private:
    Interface* pointer_ = nullptr;
};

// Premultiplied blue, green, red, alpha over white: each colour plus the white left uncovered.
void LayOnWhite(std::vector<unsigned char>& pixels) {
    for (std::size_t at = 0; at + 3 < pixels.size(); at += 4) {
        const int uncovered = 255 - pixels[at + 3];
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const int value = pixels[at + channel] + uncovered;
            pixels[at + channel] = static_cast<unsigned char>(value > 255 ? 255 : value);
        }
        pixels[at + 3] = 0;
    }
}

}  // namespace

DibImage ReadWithImagingComponent(const ui::Bytes& bytes) {
    if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return {};
    ComPointer<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()))))
        return {};
    ComPointer<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size()))))
        return {};
    ComPointer<IWICBitmapDecoder> decoder;
    ComPointer<IWICBitmapFrameDecode> frame;
    ComPointer<IWICFormatConverter> converter;
    if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out())) ||
        FAILED(decoder->GetFrame(0, frame.Out())) ||
        FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return {};
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > kLargestSide || height > kLargestSide)
        return {};

    const UINT stride = width * 4;
    std::vector<unsigned char> pixels(std::size_t(stride) * height);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels.size()),
                                     pixels.data())))
        return {};
    LayOnWhite(pixels);

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = -static_cast<LONG>(height);  // rows from the top, as decoded
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::vector<std::uint32_t> info(sizeof header / 4);
    std::memcpy(info.data(), &header, sizeof header);
    return DibImage(std::move(info), std::move(pixels));
}

}  // namespace win32
