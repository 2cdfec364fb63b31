#pragma once

#include <string>

#include "shell/app_paths.h"
#include "shell/event_gate.h"
#include "shell/window_description.h"
#include "toolkit/controls.h"

// The one window of the program as the behaviours see it: its frame and its 41 controls as
// members named as the window description names them (编辑框1, 透明标签14, 时钟1, ...).
// A toolkit creates the controls from the description and fills these members.
struct MainWindow {
    ui::Window* frame = nullptr;
#define QR_DECLARE_CONTROL(name, kind, ...) ui::kind* name = nullptr;
    QR_MAIN_WINDOW_CONTROLS(QR_DECLARE_CONTROL)
#undef QR_DECLARE_CONTROL

    // Every event of the controls reaches its behaviour through here (bound by BuildMainWindow).
    EventGate events;
    AppPaths paths;
    // The notice's link; empty until a notice page has named one.
    std::string noticeLink;
};

// Makes the controls of the window description, each inside its container.
class ControlFactory {
  public:
    virtual ~ControlFactory() = default;
    virtual ui::GroupBox* CreateGroupBox(const ControlDescription& control) = 0;
    virtual ui::EditBox* CreateEditBox(const ControlDescription& control) = 0;
    virtual ui::EditBox* CreateMultiLineEditBox(const ControlDescription& control) = 0;
    virtual ui::Button* CreateButton(const ControlDescription& control) = 0;
    virtual ui::DropDownList* CreateDropDownList(const ControlDescription& control) = 0;
    virtual ui::TransparentLabel* CreateTransparentLabel(const ControlDescription& control) = 0;
    virtual ui::LinkLabel* CreateLinkLabel(const ControlDescription& control) = 0;
    virtual ui::Label* CreateLabel(const ControlDescription& control) = 0;
    virtual ui::PictureBox* CreatePictureBox(const ControlDescription& control) = 0;
    virtual ui::Timer* CreateTimer(const ControlDescription& control) = 0;
    virtual ui::SaveFileDialog* CreateSaveFileDialog(const ControlDescription& control) = 0;
};

// Creates every control of the description in order through the factory, fills the members,
// and binds the control events to the behaviours (the event table) through window.events.
// frame must be set.
void BuildMainWindow(MainWindow& window, ControlFactory& factory);

// The creation-complete event: the start-up sequence, a handler like every other, so that no
// tick runs while it waits for the network.
void MainWindowCreated(MainWindow& window);

// The mirror of the image width into the height box: 编辑框4's content goes to 编辑框5.
void OnImageWidthChanged(MainWindow& window);
