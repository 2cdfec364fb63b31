#include "toolkit/win32/controls/drop_down_list.h"

#include "toolkit/win32/text/wide_text.h"

namespace win32 {

namespace {

// A combo box's height includes its dropped-down part, which must be at least this high.
constexpr int kDroppedHeight = 180;

Placement WithDroppedPart(Placement placement) {
    placement.rect.bottom += kDroppedHeight;
    return placement;
}

}  // namespace

DropDownList::DropDownList(const ControlDescription& control, const Placement& placement) {
    Create(L"COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
           WithDroppedPart(placement));
    for (const char* item : control.extras.items) AddItem(item);
    SetSelectedIndex(control.extras.selectedIndex);
}

void DropDownList::AddItem(const std::string& text) {
    // Without CBS_SORT, CB_ADDSTRING appends.
    SendMessageW(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

int DropDownList::ItemCount() const {
    const LRESULT count = SendMessageW(handle_, CB_GETCOUNT, 0, 0);
    return count == CB_ERR ? 0 : static_cast<int>(count);
}

std::string DropDownList::ItemText(int index) const {
    const LRESULT length = SendMessageW(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return Narrow(text);
}

int DropDownList::SelectedIndex() const {
    const LRESULT index = SendMessageW(handle_, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void DropDownList::SetSelectedIndex(int index) {
    // -1 clears the selection.
    SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace win32
