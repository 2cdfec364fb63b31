#include "toolkit/win32/controls/picture_box.h"

#include <utility>

namespace win32 {

namespace {

constexpr wchar_t kClassName[] = L"QRBatchPictureBox";

}  // namespace

PictureBox::PictureBox(const ControlDescription& control, const Placement& placement)
    : stretch_(control.extras.stretch), background_(control.extras.background) {
    static const bool registered = [] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = &PictureBox::Procedure;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.lpszClassName = kClassName;
        return RegisterClassExW(&type) != 0;
    }();
    if (!registered) return;
    // A thin single line for the bordered kind, nothing for the other.
    Create(kClassName, "", control.extras.border ? WS_BORDER : 0, 0, placement);
    if (handle_ != nullptr)
        SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void PictureBox::SetPictureBytes(ui::Bytes bytes) {
    // The bytes are kept as given, so that they can be saved again exactly as loaded.
    bytes_ = std::move(bytes);
    picture_ = ReadPicture(bytes_);
    InvalidateRect(handle_, nullptr, FALSE);
}

void PictureBox::Paint(HDC dc) const {
    RECT area{};
    GetClientRect(handle_, &area);
    RECT target = area;
    if (!stretch_) {
        target.right = target.left + picture_.Width();
        target.bottom = target.top + picture_.Height();
    }
    // The background only where the picture does not cover it: no flicker while a batch runs.
    const HBRUSH background = CreateSolidBrush(background_);
    const int saved = SaveDC(dc);
    if (!picture_.Empty())
        ExcludeClipRect(dc, target.left, target.top, target.right, target.bottom);
    FillRect(dc, &area, background);
    RestoreDC(dc, saved);
    DeleteObject(background);
    picture_.Draw(dc, target);
}

LRESULT CALLBACK PictureBox::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_ERASEBKGND:
            return TRUE;  // painted whole in WM_PAINT
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = BeginPaint(window, &paint);
            if (self != nullptr) self->Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace win32
