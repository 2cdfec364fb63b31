#include "toolkit/win32/controls/native_control.h"

#include "toolkit/win32/text/wide_text.h"

namespace win32 {

void NativeControl::Create(const wchar_t* className, const std::string& text, DWORD style,
                           DWORD extendedStyle, const Placement& placement) {
    const RECT& rect = placement.rect;
    handle_ = CreateWindowExW(extendedStyle, className, Widen(text).c_str(),
                              WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, placement.parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                              GetModuleHandleW(nullptr), nullptr);
    if (handle_ != nullptr && placement.font != nullptr)
        SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(placement.font), FALSE);
}

std::string TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return Narrow(text);
}

void SetTextOf(HWND window, const std::string& utf8) {
    SetWindowTextW(window, Widen(utf8).c_str());
}

}  // namespace win32
