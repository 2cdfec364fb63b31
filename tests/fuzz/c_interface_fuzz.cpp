// Random sequences of calls into the library's C interface: setters with any arguments, any
// message bytes, then queries and outputs into a scratch folder. Nothing may crash, hang or
// read or write out of bounds.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "qrcodewin32.h"
#include "qrdevice.h"

namespace {

class Input {
  public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int16_t Short() { return static_cast<int16_t>(Byte() | (Byte() << 8)); }
    int32_t Int() {
        return static_cast<int32_t>(static_cast<uint32_t>(Short() & 0xFFFF) |
                                    (static_cast<uint32_t>(Short()) << 16));
    }
    // Modest sizes, and the edges that a BMP header or a metafile cannot hold. (Two edges
    // together make a picture of billions of pixels: up to the BMP's 2 GB that is a lawful
    // output, which takes minutes under the sanitizers. The unit tests cover those; here such
    // an area keeps its width and gets a modest height.)
    int32_t Size() {
        static constexpr int32_t kEdges[] = {0, -1, 1, 65535, 65536, 70000, 100000, INT32_MIN};
        const uint8_t kind = Byte();
        if (kind < 224) return static_cast<int32_t>(Short() % 1500);
        return kEdges[kind % 8];
    }
    double Real() {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits = (bits << 8) | Byte();
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string Text() {
        const size_t length = Byte() | ((Byte() & 0x3F) << 8);  // up to 16383 bytes
        std::string text;
        while (text.size() < length && !empty()) text.push_back(static_cast<char>(Byte()));
        return text;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qrfuzz-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        return std::string(made != nullptr ? made : "/tmp");
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input in(data, size);
    const std::string bmp = ScratchFolder() + "/out.jpg";
    const std::string wmf = ScratchFolder() + "/out.wmf";
    if (in.Byte() % 2 == 0) QRSetDefault();
    for (int calls = 0; calls < 24 && !in.empty(); ++calls) {
        switch (in.Byte() % 14) {
            case 0:
                QRSetDefault();
                break;
            case 1: {
                const int32_t w = in.Size();
                int32_t h = in.Size();
                constexpr int64_t kLargestArea = int64_t{1} << 26;
                if (std::abs(int64_t{w} * h) > kLargestArea) h %= 640;  // 100000 x 640 fits
                QRSetSize(w, h);
                break;
            }
            case 2: {
                const std::string text = in.Text();
                QRSetMessage(text.c_str());
                break;
            }
            case 3: {
                const int16_t v = in.Short(), l = in.Short();
                QRConfigure(v, l, in.Short());
                break;
            }
            case 4: {
                const double cm = in.Byte() < 128 ? in.Real() : (in.Byte() % 40) / 50.0;
                const int16_t r = in.Short();
                QRAppearance(cm, r, in.Short());
                break;
            }
            case 5: {
                const int16_t r = in.Short(), g = in.Short();
                QRSetBackColor(r, g, in.Short());
                break;
            }
            case 6: {
                const int16_t r = in.Short(), g = in.Short();
                QRSetBarColor(r, g, in.Short());
                break;
            }
            case 7: {
                HDC dc = QRCreateMemoryDC(64, 48, 1 + in.Byte(), 1 + in.Byte());
                int32_t w = 0, h = 0;
                QRGetActualSize(in.Short(), dc, &w, &h);
                QRDeleteDC(dc);
                break;
            }
            case 8: {
                int16_t rows = 0, columns = 0;
                QRGetActualRC(&rows, &columns);
                if (rows < 0 || rows > 177 || rows != columns) std::abort();
                break;
            }
            case 9: {
                uint32_t bufferSize = in.Byte() < 128 ? 0 : static_cast<uint32_t>(in.Int());
                std::vector<char> buffer(std::min<uint32_t>(bufferSize, 40000));
                bufferSize = std::min<uint32_t>(bufferSize, static_cast<uint32_t>(buffer.size()));
                int16_t rows = 0, columns = 0;
                QRGetPatternData(buffer.data(), &bufferSize, &rows, &columns);
                break;
            }
            case 10: {
                HDC dc = QRCreateMemoryDC(1 + in.Byte(), 1 + in.Byte(), 96, 96);
                const uint16_t x = static_cast<uint16_t>(in.Short());
                QRRender(dc, x, static_cast<uint16_t>(in.Short()));
                QRDeleteDC(dc);
                break;
            }
            case 11:
                QRSaveAsBMP(bmp.c_str());
                break;
            case 12:
                QRSaveAsWMF(wmf.c_str());
                break;
            default:
                if (in.Byte() % 4 == 0) QRHoldClipboard();
                QRCopyToClipboard();
                QRReleaseClipboard();
                break;
        }
    }
    return 0;
}
