// QRSaveAsWMF and QRCopyToClipboard: the drawing recorded as a vector picture.
#include <array>

#include "clipboard.h"
#include "device_context.h"
#include "drawing.h"
#include "file_output.h"
#include "metafile_recorder.h"
#include "settings_record.h"

using qrlib::Settings;

namespace {

// The 22-byte header that places a Windows metafile at a physical size.
std::array<uint8_t, 22> PlaceableHeader(int32_t width, int32_t height, int unitsPerInch) {
    const std::array<uint16_t, 10> words = {0xCDD7,
                                            0x9AC6,
                                            0,
                                            0,
                                            0,
                                            static_cast<uint16_t>(width),
                                            static_cast<uint16_t>(height),
                                            static_cast<uint16_t>(unitsPerInch),
                                            0,
                                            0};
    std::array<uint8_t, 22> header{};
    uint16_t checksum = 0;
    for (size_t i = 0; i < words.size(); ++i) {
        header[2 * i] = static_cast<uint8_t>(words[i]);
        header[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
        checksum ^= words[i];
    }
    header[20] = static_cast<uint8_t>(checksum);
    header[21] = static_cast<uint8_t>(checksum >> 8);
    return header;
}

}  // namespace

extern "C" {

QR_EXPORT int16_t QRAPI QRSaveAsWMF(const char* path) {
    const auto& s = Settings();
    HDC screen = qrplat::GetScreenDC();
    const int screenDpi = qrplat::GetDeviceCaps(screen, qrplat::kLogPixelsX);
    const auto header = PlaceableHeader(s.width, s.height, screenDpi);
    qrlib::DeleteExisting(path);

    qrplat::WmfRecorder recorder(screenDpi);
    recorder.SetWindowExt(s.width, s.height);
    recorder.SetWindowOrg(0, 0);
    qrlib::RunOutputDrawing(recorder);  // a text that cannot be encoded records no drawing
    const std::vector<uint8_t> metafile = recorder.Finish();
    qrplat::ReleaseScreenDC(screen);
    if (recorder.overflowed()) return 0;

    const std::array<std::span<const uint8_t>, 2> parts = {std::span<const uint8_t>(header),
                                                           std::span<const uint8_t>(metafile)};
    return qrlib::WriteWholeFile(path, parts) ? -1 : 0;
}

QR_EXPORT int16_t QRAPI QRCopyToClipboard(void) {
    const auto& s = Settings();
    qrplat::EmfRecorder recorder(qrplat::kScreenDpi);
    recorder.SetMapMode(qrplat::kMapModeText);
    recorder.SetWindowExt(s.width, s.height);
    recorder.SetWindowOrg(0, 0);
    qrlib::RunOutputDrawing(recorder);
    if (recorder.overflowed()) return 0;
    return qrplat::PlaceEnhancedMetafile(recorder.Finish()) ? -1 : 0;
}

}  // extern "C"
