#include "drawing.h"

#include "device_context.h"
#include "settings_record.h"

namespace qrlib {

Appearance CurrentAppearance() {
    const QRSettings& s = Settings();
    return {s.width, s.height, s.modulePixels, s.rotation, s.frameStyle, s.backColor, s.barColor};
}

void LayOutAndDraw(qrplat::Canvas& canvas, const qr::ModuleMatrix& matrix, int originX,
                   int originY) {
    DrawSymbol(canvas, matrix, CurrentAppearance(), originX, originY);
}

bool RunOutputDrawing(qrplat::Canvas& target) {
    HDC screen = qrplat::GetScreenDC();
    const bool sideways = Settings().rotation == 1 || Settings().rotation == 3;
    int dpi = sideways ? target.LogPixelsY() : target.LogPixelsX();
    if (dpi == 0) {
        dpi = qrplat::GetDeviceCaps(screen, sideways ? qrplat::kLogPixelsY : qrplat::kLogPixelsX);
    }
    UpdateModulePixels(dpi);
    const auto& symbol = EncodeCurrent();
    if (symbol) LayOutAndDraw(target, symbol->matrix, 0, 0);
    qrplat::ReleaseScreenDC(screen);
    return symbol.has_value();
}

}  // namespace qrlib
