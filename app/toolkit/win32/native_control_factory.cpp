#include "toolkit/win32/native_control_factory.h"

#include "toolkit/win32/controls/button.h"
#include "toolkit/win32/controls/drop_down_list.h"
#include "toolkit/win32/controls/edit_box.h"
#include "toolkit/win32/controls/labels.h"
#include "toolkit/win32/controls/link_label.h"
#include "toolkit/win32/controls/picture_box.h"
#include "toolkit/win32/controls/save_file_dialog.h"

namespace win32 {

namespace {

int IdOf(const ControlDescription& control) {
    return kFirstControlId + static_cast<int>(&control - MainWindowControls().data());
}

}  // namespace

NativeControlFactory::NativeControlFactory(HWND window, HFONT font) : window_(window), font_(font) {
    RECT client{};
    GetClientRect(window, &client);
    containers_["window"] = Container{{0, 0}, client.right};
}

NativeControlFactory::~NativeControlFactory() = default;

Placement NativeControlFactory::Place(const ControlDescription& control) const {
    const auto container = containers_.find(control.container);
    const Container where = container != containers_.end() ? container->second : Container{};
    Placement placement;
    placement.parent = window_;
    placement.id = IdOf(control);
    placement.rect = RECT{where.origin.x + control.left, where.origin.y + control.top,
                          where.origin.x + control.left + control.width,
                          where.origin.y + control.top + control.height};
    placement.roomRight = where.right;
    placement.font = font_;
    return placement;
}

template <typename Control>
Control* NativeControlFactory::Keep(std::unique_ptr<Control> control) {
    Control* kept = control.get();
    byId_[GetDlgCtrlID(kept->Handle())] = kept;
    controls_.push_back(std::move(control));
    return kept;
}

ui::GroupBox* NativeControlFactory::CreateGroupBox(const ControlDescription& control) {
    const Placement placement = Place(control);
    // A BUTTON has no frame of its own, so its client area starts at its corner.
    containers_[control.name] =
        Container{{placement.rect.left, placement.rect.top}, placement.rect.right};
    auto* box = Keep(std::make_unique<GroupBox>(control, placement));
    groupBoxes_.push_back(box->Handle());
    return box;
}

ui::EditBox* NativeControlFactory::CreateEditBox(const ControlDescription& control) {
    return Keep(std::make_unique<EditBox>(control, Place(control), false));
}

ui::EditBox* NativeControlFactory::CreateMultiLineEditBox(const ControlDescription& control) {
    auto* box = Keep(std::make_unique<EditBox>(control, Place(control), true));
    multiLineBox_ = box->Handle();
    return box;
}

ui::Button* NativeControlFactory::CreateButton(const ControlDescription& control) {
    return Keep(std::make_unique<Button>(control, Place(control)));
}

ui::DropDownList* NativeControlFactory::CreateDropDownList(const ControlDescription& control) {
    return Keep(std::make_unique<DropDownList>(control, Place(control)));
}

ui::TransparentLabel* NativeControlFactory::CreateTransparentLabel(
    const ControlDescription& control) {
    return Keep(std::make_unique<TransparentLabel>(control, Place(control)));
}

ui::LinkLabel* NativeControlFactory::CreateLinkLabel(const ControlDescription& control) {
    return Keep(std::make_unique<LinkLabel>(control, Place(control)));
}

ui::Label* NativeControlFactory::CreateLabel(const ControlDescription& control) {
    return Keep(std::make_unique<Label>(control, Place(control)));
}

ui::PictureBox* NativeControlFactory::CreatePictureBox(const ControlDescription& control) {
    return Keep(std::make_unique<PictureBox>(control, Place(control)));
}

ui::Timer* NativeControlFactory::CreateTimer(const ControlDescription& control) {
    timers_.push_back(std::make_unique<Timer>(control, Place(control)));
    return timers_.back().get();
}

ui::SaveFileDialog* NativeControlFactory::CreateSaveFileDialog(const ControlDescription& control) {
    dialogs_.push_back(std::make_unique<SaveFileDialog>(control, Place(control)));
    return dialogs_.back().get();
}

NativeControl* NativeControlFactory::ControlWithId(int id) const {
    const auto found = byId_.find(id);
    return found != byId_.end() ? found->second : nullptr;
}

Timer* NativeControlFactory::TimerWithId(int id) const {
    for (const auto& timer : timers_)
        if (timer->Id() == id) return timer.get();
    return nullptr;
}

std::vector<HWND> NativeControlFactory::FocusOrder() const {
    std::vector<HWND> order;
    for (const auto& control : controls_)
        if (control->TakesFocus() && control->Handle() != nullptr)
            order.push_back(control->Handle());
    return order;
}

}  // namespace win32
