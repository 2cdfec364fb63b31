#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "toolkit/win32/controls/native_control.h"
#include "toolkit/win32/controls/timer.h"

namespace win32 {

// Makes the native controls of the window description as direct children of the main window,
// numbered kFirstControlId + their place in the table, and keeps them for the window.
class NativeControlFactory : public ControlFactory {
  public:
    NativeControlFactory(HWND window, HFONT font);
    ~NativeControlFactory() override;

    ui::GroupBox* CreateGroupBox(const ControlDescription& control) override;
    ui::EditBox* CreateEditBox(const ControlDescription& control) override;
    ui::EditBox* CreateMultiLineEditBox(const ControlDescription& control) override;
    ui::Button* CreateButton(const ControlDescription& control) override;
    ui::DropDownList* CreateDropDownList(const ControlDescription& control) override;
    ui::TransparentLabel* CreateTransparentLabel(const ControlDescription& control) override;
    ui::LinkLabel* CreateLinkLabel(const ControlDescription& control) override;
    ui::Label* CreateLabel(const ControlDescription& control) override;
    ui::PictureBox* CreatePictureBox(const ControlDescription& control) override;
    ui::Timer* CreateTimer(const ControlDescription& control) override;
    ui::SaveFileDialog* CreateSaveFileDialog(const ControlDescription& control) override;

    // What the window needs to pass on the messages about its controls.
    NativeControl* ControlWithId(int id) const;
    Timer* TimerWithId(int id) const;
    // The controls that take the keyboard focus, in the order of the description.
    std::vector<HWND> FocusOrder() const;
    // Where Enter makes a new line.
    HWND MultiLineBox() const { return multiLineBox_; }
    // Drawn beneath every other control.
    const std::vector<HWND>& GroupBoxes() const { return groupBoxes_; }

  private:
    struct Container {
        POINT origin{};
        int right = 0;
    };

    Placement Place(const ControlDescription& control) const;
    template <typename Control>
    Control* Keep(std::unique_ptr<Control> control);

    HWND window_;
    HFONT font_;
    std::map<std::string, Container> containers_;
    std::vector<std::unique_ptr<NativeControl>> controls_;
    std::map<int, NativeControl*> byId_;
    std::vector<std::unique_ptr<Timer>> timers_;
    std::vector<std::unique_ptr<ui::SaveFileDialog>> dialogs_;
    std::vector<HWND> groupBoxes_;
    HWND multiLineBox_ = nullptr;
};

}  // namespace win32
