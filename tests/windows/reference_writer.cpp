// Writes, for every reference case, the pattern data, the BMP and the WMF file of this build, so
// that the Windows build of the library can be compared byte for byte against them.
//   qr-windows-reference OUTPUT_FOLDER
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cases.h"
#include "qrcodewin32.h"

namespace {

void Apply(const qrwin::ReferenceCase& c) {
    QRSetDefault();
    QRSetSize(c.width, c.height);
    QRConfigure(c.version, c.level, c.mask);
    QRAppearance(c.moduleSizeCm, c.rotation, c.frameStyle);
    QRSetBackColor(c.back.red, c.back.green, c.back.blue);
    QRSetBarColor(c.bar.red, c.bar.green, c.bar.blue);
    QRSetMessage(c.text);
}

// The pattern of an encodable text is N x N characters of '0' and '1', N = 17 + 4v.
bool WritePattern(const std::string& path) {
    uint32_t size = 0;
    int16_t rows = 0, columns = 0;
    if (QRGetPatternData(nullptr, &size, &rows, &columns) != 0) return false;
    if (rows != columns || rows < 21 || rows > 177 || (rows - 17) % 4 != 0) return false;
    if (size != static_cast<uint32_t>(rows) * static_cast<uint32_t>(rows)) return false;
    std::string data(size, '\0');
    if (QRGetPatternData(data.data(), &size, &rows, &columns) != -1) return false;
    if (data.find_first_not_of("01") != std::string::npos) return false;
    std::ofstream out(path, std::ios::binary);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

// The file must carry its own size in its header.
bool WriteBmp(const std::string& path) {
    if (QRSaveAsBMP(path.c_str()) != -1) return false;
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < 62 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t declared = bytes[2] | bytes[3] << 8 | bytes[4] << 16 | bytes[5] << 24;
    return declared == bytes.size();
}

// A placeable metafile starts with its key.
bool WriteWmf(const std::string& path) {
    if (QRSaveAsWMF(path.c_str()) != -1) return false;
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    return bytes.size() > 22 + 18 && bytes[0] == 0xD7 && bytes[1] == 0xCD && bytes[2] == 0xC6 &&
           bytes[3] == 0x9A;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    int failed = 0;
    for (const auto& c : qrwin::kReferenceCases) {
        Apply(c);
        const std::string stem = folder + "/" + c.name;
        const bool ok =
            WritePattern(stem + ".pattern") && WriteBmp(stem + ".bmp") && WriteWmf(stem + ".wmf");
        std::printf("%s %s\n", ok ? "wrote" : "FAILED", c.name);
        if (!ok) ++failed;
    }
    return failed == 0 ? 0 : 1;
}
