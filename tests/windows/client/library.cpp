#include "library.h"

namespace qrwin {

namespace {

template <typename F>
void Resolve(HMODULE module, F& slot, const char* name) {
    // The cast through a generic function pointer keeps -Wcast-function-type quiet.
    slot = reinterpret_cast<F>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

Exports Load() {
    Exports e{};
    HMODULE m = Library();
    if (m == nullptr) return e;
    Resolve(m, e.QRSetDefault, "QRSetDefault");
    Resolve(m, e.QRSetSize, "QRSetSize");
    Resolve(m, e.QRSetMessage, "QRSetMessage");
    Resolve(m, e.QRConfigure, "QRConfigure");
    Resolve(m, e.QRAppearance, "QRAppearance");
    Resolve(m, e.QRSetBackColor, "QRSetBackColor");
    Resolve(m, e.QRSetBarColor, "QRSetBarColor");
    Resolve(m, e.QRGetActualSize, "QRGetActualSize");
    Resolve(m, e.QRGetActualRC, "QRGetActualRC");
    Resolve(m, e.QRGetPatternData, "QRGetPatternData");
    Resolve(m, e.QRRender, "QRRender");
    Resolve(m, e.QRSaveAsBMP, "QRSaveAsBMP");
    Resolve(m, e.QRSaveAsWMF, "QRSaveAsWMF");
    Resolve(m, e.QRCopyToClipboard, "QRCopyToClipboard");
    return e;
}

}  // namespace

HMODULE Library() {
    static HMODULE module = ::LoadLibraryA(kLibraryFile);
    return module;
}

const Exports& Api() {
    static const Exports exports = Load();
    return exports;
}

bool AllResolved() {
    const Exports& e = Api();
    return e.QRSetDefault && e.QRSetSize && e.QRSetMessage && e.QRConfigure && e.QRAppearance &&
           e.QRSetBackColor && e.QRSetBarColor && e.QRGetActualSize && e.QRGetActualRC &&
           e.QRGetPatternData && e.QRRender && e.QRSaveAsBMP && e.QRSaveAsWMF &&
           e.QRCopyToClipboard;
}

void ResetWith(const char* text) {
    Api().QRSetDefault();
    Api().QRSetMessage(text);
}

}  // namespace qrwin
