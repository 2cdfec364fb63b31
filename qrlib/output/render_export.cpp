// QRRender: the symbol drawn on a caller's device context.
#include "device_context.h"
#include "drawing.h"
#include "settings_record.h"

using qrlib::Settings;

extern "C" QR_EXPORT void QRAPI QRRender(HDC dc, uint16_t x, uint16_t y) {
    const int previousMode = qrplat::SetMapMode(dc, qrplat::kMapModeText);
    const int rotation = Settings().rotation;
    const int capability =
        rotation == 1 || rotation == 3 ? qrplat::kLogPixelsX : qrplat::kLogPixelsY;
    qrlib::UpdateModulePixels(qrplat::GetDeviceCaps(dc, capability));

    const auto& symbol = qrlib::EncodeCurrent();
    if (symbol) {
        if (auto canvas = qrplat::CanvasFor(dc)) {
            qrlib::LayOutAndDraw(*canvas, symbol->matrix, x, y);
        }
    }
    qrplat::SetMapMode(dc, previousMode);
}
