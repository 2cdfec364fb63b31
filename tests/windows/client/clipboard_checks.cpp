// QRCopyToClipboard through the Win32 clipboard: an enhanced metafile of the output rectangle,
// and nothing placed while another thread holds the clipboard open.
#include <windows.h>

#include <cstring>
#include <string>

#include "checks.h"
#include "dib_surface.h"
#include "library.h"
#include "suites.h"

namespace qrwin {

namespace {

bool PutText(const char* text) {
    if (!::OpenClipboard(nullptr)) return false;
    ::EmptyClipboard();
    const size_t n = std::strlen(text) + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, n);
    if (block != nullptr) {
        std::memcpy(::GlobalLock(block), text, n);
        ::GlobalUnlock(block);
        if (::SetClipboardData(CF_TEXT, block) == nullptr) ::GlobalFree(block);
    }
    ::CloseClipboard();
    return block != nullptr;
}

std::string TextOnClipboard() {
    std::string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(h))) {
            text = p;
            ::GlobalUnlock(h);
        }
    }
    ::CloseClipboard();
    return text;
}

struct Holder {
    HANDLE opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool held = false;
};

DWORD WINAPI HoldClipboard(LPVOID arg) {
    auto* h = static_cast<Holder*>(arg);
    h->held = ::OpenClipboard(nullptr) != FALSE;
    ::SetEvent(h->opened);
    ::WaitForSingleObject(h->release, 10000);
    if (h->held) ::CloseClipboard();
    return 0;
}

void PictureCheck() {
    ResetWith("12");
    if (!Check(Api().QRCopyToClipboard() == -1, "QRCopyToClipboard places the picture")) return;
    if (!Check(::OpenClipboard(nullptr) != FALSE, "the clipboard can be opened afterwards")) return;
    HENHMETAFILE emf = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE));
    Check(emf != nullptr, "the clipboard holds an enhanced metafile");
    if (emf != nullptr) {
        ENHMETAHEADER header{};
        ::GetEnhMetaFileHeader(emf, sizeof header, &header);
        Check(header.iType == EMR_HEADER && header.nRecords > 3,
              "the enhanced metafile has a header and records",
              std::to_string(header.nRecords) + " records");
        // Played back at the output rectangle's size, the finder pattern's corner is where
        // the drawing put it (x 218, y 118 for the defaults) and the margin is white.
        DibSurface s(500, 300, 0x00ABCDEF);
        const RECT r{0, 0, 500, 300};
        const bool played = ::PlayEnhMetaFile(s.Dc(), emf, &r) != FALSE;
        Check(played && s.Pixel(10, 10) == 0xFFFFFF && s.Pixel(220, 120) == 0 &&
                  s.Pixel(226, 126) == 0 && s.Pixel(223, 123) == 0xFFFFFF,
              "the enhanced metafile plays back as the symbol");
    }
    ::CloseClipboard();
}

void HeldClipboardCheck() {
    Check(PutText("keep me"), "text placed on the clipboard");
    Holder holder;
    HANDLE thread = ::CreateThread(nullptr, 0, HoldClipboard, &holder, 0, nullptr);
    ::WaitForSingleObject(holder.opened, 10000);
    if (Check(holder.held, "another thread holds the clipboard open")) {
        ResetWith("12");
        Check(Api().QRCopyToClipboard() == 0,
              "QRCopyToClipboard fails while the clipboard is held");
    }
    ::SetEvent(holder.release);
    ::WaitForSingleObject(thread, 10000);
    ::CloseHandle(thread);
    ::CloseHandle(holder.opened);
    ::CloseHandle(holder.release);
    Check(TextOnClipboard() == "keep me", "the clipboard keeps its old content");
}

}  // namespace

void RunClipboardChecks() {
    if (!Check(AllResolved(), "all exports resolved for the clipboard checks")) return;
    PictureCheck();
    HeldClipboardCheck();
}

}  // namespace qrwin
