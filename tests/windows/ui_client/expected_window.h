// The main window as the client expects it, written down here on its own rather than taken from
// the program's description, so that a wrong row there shows as a difference.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace ui_client {

// Outer size, frame and caption included.
inline constexpr int kWindowWidth = 879;
inline constexpr int kWindowHeight = 554;
// The i-th control of the table has the control number kFirstControlId + i.
inline constexpr int kFirstControlId = 1000;

enum class Kind {
    GroupBox,
    EditBox,
    MultiLineEditBox,
    Button,
    DropDownList,
    TransparentLabel,
    LinkLabel,
    Label,
    PictureBox,
    Timer,
    SaveFileDialog,
};

struct ExpectedControl {
    const char* name;
    Kind kind;
    const char* container;  // "window" or a group box
    int left, top, width, height;
    const char* text;  // after an offline start-up; nullptr where it is not checked
};

// All 41 controls in the program's order.
std::span<const ExpectedControl> ExpectedControls();
const ExpectedControl* FindExpected(std::string_view name);

// 编辑框1's first text: "测试数据" and 20210706001 to 20210707000, each line ended by CR LF.
std::string ExpectedDefaultInput();

}  // namespace ui_client
