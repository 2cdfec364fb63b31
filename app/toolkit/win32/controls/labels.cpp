#include "toolkit/win32/controls/labels.h"

#include <algorithm>

#include "shell/caption_width.h"
#include "toolkit/win32/text/wide_text.h"

namespace win32 {

namespace {

int TextWidth(HWND window, const std::string& text) {
    const HDC dc = GetDC(window);
    if (dc == nullptr) return 0;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (previous != nullptr) SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size.cx;
}

}  // namespace

GroupBox::GroupBox(const ControlDescription& control, const Placement& placement)
    : background_(control.extras.background) {
    // Drawn beneath its controls: it must never paint over them.
    Create(L"BUTTON", control.caption, BS_GROUPBOX | WS_CLIPSIBLINGS, 0, placement);
}

std::string GroupBox::Caption() const {
    return TextOf(handle_);
}

HBRUSH GroupBox::OnColour(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return background_.Get();
}

TransparentLabel::TransparentLabel(const ControlDescription& control, const Placement& placement)
    : describedWidth_(control.width),
      roomToRight_(placement.roomRight - static_cast<int>(placement.rect.left)) {
    // One line, left-aligned and vertically centred; an "&" is shown as it is.
    Create(L"STATIC", control.caption, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0, placement);
}

std::string TransparentLabel::Caption() const {
    return TextOf(handle_);
}

void TransparentLabel::SetCaption(const std::string& caption) {
    SetTextOf(handle_, caption);
    const int width = CaptionLabelWidth(describedWidth_, TextWidth(handle_, caption), roomToRight_);
    RECT rect{};
    GetClientRect(handle_, &rect);
    if (rect.right != width) {
        SetWindowPos(handle_, nullptr, 0, 0, width, rect.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

// Every container is white, so a label drawn on white shows its container through; unlike a
// hollow brush, white also wipes out the previous caption.
HBRUSH TransparentLabel::OnColour(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ui::kBlack);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

Label::Label(const ControlDescription& control, const Placement& placement)
    : background_(control.extras.background) {
    Create(L"STATIC", control.caption, SS_LEFT | SS_NOPREFIX, 0, placement);
}

int Label::Width() const {
    RECT rect{};
    GetWindowRect(handle_, &rect);
    return rect.right - rect.left;
}

void Label::SetWidth(int width) {
    RECT rect{};
    GetWindowRect(handle_, &rect);
    SetWindowPos(handle_, nullptr, 0, 0, std::max(width, 0), rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH Label::OnColour(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return background_.Get();
}

}  // namespace win32
