// The Win32 clipboard: the metafile's bytes become a GDI enhanced metafile that the clipboard
// then owns.
#include "clipboard.h"

#if defined(_WIN32)
#include <windows.h>

namespace qrplat {

bool PlaceEnhancedMetafile(const std::vector<uint8_t>& emf) {
    HENHMETAFILE picture = ::SetEnhMetaFileBits(static_cast<UINT>(emf.size()), emf.data());
    if (picture == nullptr) return false;
    if (!::OpenClipboard(::GetDesktopWindow())) {
        // Nobody took the picture: without this it would leak.
        ::DeleteEnhMetaFile(picture);
        return false;
    }
    ::EmptyClipboard();
    if (::SetClipboardData(CF_ENHMETAFILE, picture) == nullptr) ::DeleteEnhMetaFile(picture);
    ::CloseClipboard();
    return true;
}

}  // namespace qrplat

#endif
