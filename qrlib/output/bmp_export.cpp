// QRSaveAsBMP: the output rectangle as a BMP file of 1 bit per pixel (black bars on white) or
// 4 bits per pixel (any other colours, mapped to the nearest of the 16 VGA colours).
#include "device_context.h"
#include "dib_canvas.h"
#include "drawing.h"
#include "file_output.h"
#include "settings_record.h"

using qrlib::Settings;

extern "C" QR_EXPORT int16_t QRAPI QRSaveAsBMP(const char* path) {
    const auto& s = Settings();
    const int bits = s.backDepth == 1 && s.barDepth == 1 ? 1 : 4;  // the setters keep the depths
    HDC screen = qrplat::GetScreenDC();
    const int dpiX = qrplat::GetDeviceCaps(screen, qrplat::kLogPixelsX);
    const int dpiY = qrplat::GetDeviceCaps(screen, qrplat::kLogPixelsY);
    qrplat::ReleaseScreenDC(screen);

    auto canvas = qrplat::DibCanvas::Create(s.width, s.height, bits, dpiX, dpiY);
    const bool drawn = canvas && qrlib::RunOutputDrawing(*canvas);

    // The old picture goes first, so that a failure leaves no file that looks like this text's.
    qrlib::DeleteExisting(path);
    if (!drawn) return 0;
    const std::span<const uint8_t> file(canvas->FileBytes());
    return qrlib::WriteWholeFile(path, std::span(&file, 1)) ? -1 : 0;
}
