// QRSaveAsWMF and QRCopyToClipboard: the drawing recorded as a vector picture.
#include <array>
#include <span>

#include "clipboard.h"
#include "device_context.h"
#include "drawing.h"
#include "file_output.h"
#include "metafile_recorder.h"
#include "placeable_header.h"
#include "settings_record.h"

using qrlib::Settings;

extern "C" {

QR_EXPORT int16_t QRAPI QRSaveAsWMF(const char* path) {
    const auto& s = Settings();
    HDC screen = qrplat::GetScreenDC();
    const int screenDpi = qrplat::GetDeviceCaps(screen, qrplat::kLogPixelsX);
    const auto header = qrplat::PlaceableHeader(s.width, s.height, screenDpi);
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
