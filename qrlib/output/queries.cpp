// The three query exports: the drawn size, the side in modules and the modules as characters.
#include "device_context.h"
#include "settings_record.h"

using qrlib::Settings;

extern "C" {

QR_EXPORT void QRAPI QRGetActualSize(int16_t useScreen, HDC dc, int32_t* outWidth,
                                     int32_t* outHeight) {
    const bool screen = useScreen == -1;
    HDC target = screen ? qrplat::GetScreenDC() : dc;
    const int rotation = Settings().rotation;
    const int capability =
        rotation == 1 || rotation == 3 ? qrplat::kLogPixelsX : qrplat::kLogPixelsY;
    qrlib::UpdateModulePixels(qrplat::GetDeviceCaps(target, capability));

    const auto& symbol = qrlib::EncodeCurrent();
    const int32_t side = symbol ? symbol->matrix.side * Settings().modulePixels : 0;
    if (outWidth != nullptr) *outWidth = side;
    if (outHeight != nullptr) *outHeight = side;
    if (screen) qrplat::ReleaseScreenDC(target);
}

QR_EXPORT void QRAPI QRGetActualRC(int16_t* rows, int16_t* columns) {
    const auto& symbol = qrlib::EncodeCurrent();
    const auto side = static_cast<int16_t>(symbol ? symbol->matrix.side : 0);
    if (rows != nullptr) *rows = side;
    if (columns != nullptr) *columns = side;
}

QR_EXPORT int16_t QRAPI QRGetPatternData(char* buffer, uint32_t* bufferSize, int16_t* rows,
                                         int16_t* columns) {
    auto report = [&](uint32_t size, int16_t side) {
        if (bufferSize != nullptr) *bufferSize = size;
        if (rows != nullptr) *rows = side;
        if (columns != nullptr) *columns = side;
    };
    const auto& symbol = qrlib::EncodeCurrent();
    if (!symbol) {
        report(0, 0);
        return -1;
    }
    const qr::ModuleMatrix& m = symbol->matrix;
    const int n = m.side;
    const auto needed = static_cast<uint32_t>(n * n);
    if (bufferSize == nullptr || *bufferSize < needed || buffer == nullptr) {
        report(needed, static_cast<int16_t>(n));
        return 0;
    }
    // As drawn with rotation 0: row i of the picture is column i of the symbol, read upwards.
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) *buffer++ = m.Module(n - 1 - j, i) ? '1' : '0';
    }
    return -1;
}

}  // extern "C"
