#include "toolkit/win32/controls/edit_box.h"

namespace win32 {

namespace {

DWORD EditStyle(const ControlDescription& control, bool multiLine) {
    DWORD style = WS_TABSTOP | ES_AUTOHSCROLL;
    if (multiLine) style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL;
    style |= control.extras.centred ? ES_CENTER : ES_LEFT;
    return style;
}

}  // namespace

EditBox::EditBox(const ControlDescription& control, const Placement& placement, bool multiLine) {
    const std::string text =
        control.extras.defaultInput ? DefaultInputText() : std::string(control.caption);
    Create(L"EDIT", "", EditStyle(control, multiLine), WS_EX_CLIENTEDGE, placement);
    // No length limit: 0 lifts the default of 30,000 characters.
    SendMessageW(handle_, EM_SETLIMITTEXT, 0, 0);
    assigning_ = true;
    SetTextOf(handle_, text);
    assigning_ = false;
}

std::string EditBox::Content() const {
    return TextOf(handle_);
}

void EditBox::SetContent(const std::string& content) {
    // The control's own notice of the new text is not counted: an assignment raises the event
    // exactly once, also when the text is unchanged (and multi-line boxes send none at all).
    assigning_ = true;
    SetTextOf(handle_, content);
    assigning_ = false;
    Raise(contentChanged);
}

void EditBox::OnCommand(unsigned notification) {
    if (notification == EN_CHANGE && !assigning_) Raise(contentChanged);
}

}  // namespace win32
