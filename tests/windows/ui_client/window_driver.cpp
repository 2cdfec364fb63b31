#include "window_driver.h"

#include <vector>

#include "expected_window.h"
#include "text.h"
#include "window_search.h"

namespace ui_client {

namespace {

constexpr UINT kMessageLimit = 2000;

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0) {
    DWORD_PTR result = 0;
    if (window == nullptr ||
        !::SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, kMessageLimit, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

}  // namespace

int ControlId(std::string_view name) {
    const ExpectedControl* control = FindExpected(name);
    if (control == nullptr) return 0;
    return kFirstControlId + static_cast<int>(control - ExpectedControls().data());
}

HWND WindowDriver::Control(std::string_view name) const {
    const int id = ControlId(name);
    return id == 0 ? nullptr : ::GetDlgItem(main_, id);
}

std::optional<std::string> WindowDriver::Text(std::string_view name) const {
    HWND control = Control(name);
    if (control == nullptr) return std::nullopt;
    return ReadText(control);
}

bool WindowDriver::SetText(std::string_view name, const std::string& text) const {
    const std::wstring wide = Widen(text);
    DWORD_PTR result = 0;
    HWND control = Control(name);
    // A change handler may write files; under the emulator that takes its time.
    return control != nullptr &&
           ::SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()),
                                 SMTO_NORMAL, 60000, &result) != 0 &&
           result != 0;
}

void WindowDriver::Click(std::string_view name) const {
    ::PostMessageW(Control(name), BM_CLICK, 0, 0);
}

void WindowDriver::PressKey(std::string_view name, UINT virtualKey) const {
    HWND control = Control(name);
    const LPARAM scanCode = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    ::PostMessageW(control, WM_KEYDOWN, virtualKey, 1 | scanCode << 16);
    ::PostMessageW(control, WM_KEYUP, virtualKey,
                   static_cast<LPARAM>(1 | scanCode << 16 | 0xC0000000u));
}

std::optional<int> WindowDriver::ItemCount(std::string_view name) const {
    const auto count = Ask(Control(name), CB_GETCOUNT);
    if (!count || *count == CB_ERR) return std::nullopt;
    return static_cast<int>(*count);
}

std::optional<int> WindowDriver::SelectedIndex(std::string_view name) const {
    const auto index = Ask(Control(name), CB_GETCURSEL);
    if (!index) return std::nullopt;
    return static_cast<int>(*index);
}

std::optional<std::string> WindowDriver::ItemText(std::string_view name, int index) const {
    HWND control = Control(name);
    const auto length = Ask(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (!length || *length == CB_ERR) return std::nullopt;
    std::vector<wchar_t> buffer(static_cast<size_t>(*length) + 1, L'\0');
    const auto copied = Ask(control, CB_GETLBTEXT, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(buffer.data()));
    if (!copied || *copied == CB_ERR) return std::nullopt;
    return Narrow(std::wstring_view(buffer.data(), static_cast<size_t>(*copied)));
}

bool WindowDriver::ShowDropDown(std::string_view name) const {
    return Ask(Control(name), CB_SHOWDROPDOWN, TRUE).has_value();
}

std::optional<bool> WindowDriver::IsDropped(std::string_view name) const {
    const auto dropped = Ask(Control(name), CB_GETDROPPEDSTATE);
    if (!dropped) return std::nullopt;
    return *dropped != 0;
}

bool WindowDriver::Answers(int limitMilliseconds) const {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL,
                                 static_cast<UINT>(limitMilliseconds), &result) != 0;
}

}  // namespace ui_client
