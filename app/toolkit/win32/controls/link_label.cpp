#include "toolkit/win32/controls/link_label.h"

#include "toolkit/win32/text/wide_text.h"

namespace win32 {

namespace {

// The description's font: character height in pixels (a negative height asks for the
// character, not the cell), normal weight, the system's default face for the character set.
HFONT CreateDescribedFont(const ControlExtras& extras) {
    if (extras.fontPixelHeight <= 0) return nullptr;
    return CreateFontW(-extras.fontPixelHeight, 0, 0, 0, FW_NORMAL, FALSE,
                       extras.underline ? TRUE : FALSE, FALSE,
                       extras.chineseCharset ? GB2312_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"");
}

}  // namespace

LinkLabel::LinkLabel(const ControlDescription& control, const Placement& placement)
    : colour_(control.extras.textColour),
      handPointer_(control.extras.handPointer),
      font_(CreateDescribedFont(control.extras)) {
    Placement own = placement;
    if (font_ != nullptr) own.font = font_;
    // SS_NOTIFY: the control receives the mouse instead of letting it through to the window.
    Create(L"STATIC", control.caption, SS_OWNERDRAW | SS_NOTIFY, 0, own);
    if (handle_ == nullptr) return;
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    staticProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclassed)));
}

LinkLabel::~LinkLabel() {
    if (handle_ != nullptr && IsWindow(handle_)) {
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticProcedure_));
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    }
    if (font_ != nullptr) DeleteObject(font_);
}

std::string LinkLabel::Caption() const {
    return TextOf(handle_);
}

void LinkLabel::SetCaption(const std::string& caption) {
    SetTextOf(handle_, caption);
    InvalidateRect(handle_, nullptr, FALSE);
}

ui::Colour LinkLabel::TextColour() const {
    return colour_;
}

void LinkLabel::SetTextColour(ui::Colour colour) {
    colour_ = colour;
    InvalidateRect(handle_, nullptr, FALSE);
}

void LinkLabel::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const std::wstring text = Widen(Caption());
    const HGDIOBJ previous = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    // Embossed: white one pixel right and down first, then the text colour in place.
    RECT shadow = area;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, ui::kWhite);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
    SetTextColor(dc, colour_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    if (previous != nullptr) SelectObject(dc, previous);
}

LRESULT CALLBACK LinkLabel::Subclassed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<LinkLabel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_SETCURSOR:
            if (self->handPointer_ && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the second press of a quick pair is a press too
            // At once on the press; position and key state are not passed on.
            self->Raise(self->leftButtonPressed);
            return 0;
        default:
            break;
    }
    return CallWindowProcW(self->staticProcedure_, window, message, wParam, lParam);
}

}  // namespace win32
