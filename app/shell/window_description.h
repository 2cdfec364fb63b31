#pragma once

#include <span>
#include <string>

#include "toolkit/controls.h"

// The one description of the main window that both toolkits build from: every control with its
// kind, container, position and size (pixels, relative to the client area of its container),
// caption, list items, colours and fonts.

enum class ControlKind {
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

// What some controls have beyond the common columns; the defaults fit the others.
struct ControlExtras {
    bool centred = false;                     // edit boxes: centred text
    bool defaultInput = false;                // the big box starts with DefaultInputText()
    std::span<const char* const> items = {};  // drop-down lists, in this order
    int selectedIndex = -1;                   // drop-down lists
    ui::Colour background = ui::kWhite;       // labels, picture boxes, group boxes
    ui::Colour textColour = ui::kBlack;       // the link line
    int fontPixelHeight = 0;                  // 0: the default GUI font
    bool underline = false;                   // with fontPixelHeight
    bool chineseCharset = false;              // with fontPixelHeight: GB2312
    bool handPointer = false;                 // the pointer over the control
    bool border = false;                      // picture boxes: a thin single line
    bool stretch = false;                     // picture boxes: stretched, not natural size
    int interval = 0;                         // timers, milliseconds
    const char* nameFilter = "";              // the save-file dialog
    const char* defaultSuffix = "";           // the save-file dialog
};

struct ControlDescription {
    const char* name;
    ControlKind kind;
    const char* container;  // "window" or the name of a group box described before
    int left, top, width, height;
    const char* caption;  // UTF-8; empty where the kind has none
    ControlExtras extras;
};

inline constexpr const char* kLevelItems[] = {"L(5%)", "M(15%)", "Q(25%)", "H(30%)"};

// X(name, kind, container, left, top, width, height, caption, extras...)
// Group boxes come before the controls they hold.
// clang-format off
#define QR_MAIN_WINDOW_CONTROLS(X) \
    X(分组框5, GroupBox, window, 8, 8, 232, 80, "生成单个内容") \
    X(编辑框123456, EditBox, 分组框5, 8, 23, 208, 20, "") \
    X(透明标签9, TransparentLabel, 分组框5, 18, 45, 24, 24, "像素") \
    X(编辑框3, EditBox, 分组框5, 47, 48, 40, 20, "200", .centred = true) \
    X(按钮3, Button, 分组框5, 91, 48, 60, 20, "生成") \
    X(按钮4, Button, 分组框5, 155, 48, 60, 20, "保存") \
    X(分组框1, GroupBox, window, 8, 104, 232, 416, "批量转换-待转换内容输入") \
    X(编辑框1, MultiLineEditBox, 分组框1, 10, 25, 208, 383, "", .defaultInput = true) \
    X(分组框2, GroupBox, window, 256, 8, 232, 88, "保存") \
    X(透明标签1, TransparentLabel, 分组框2, 8, 16, 56, 24, "保存位置") \
    X(编辑框2, EditBox, 分组框2, 8, 40, 184, 20, "") \
    X(按钮1, Button, 分组框2, 196, 40, 24, 20, "…") \
    X(分组框4, GroupBox, window, 256, 104, 232, 128, "二维码参数设置") \
    X(透明标签7, TransparentLabel, 分组框4, 16, 24, 56, 24, "版本选择") \
    X(组合框_版本1, DropDownList, 分组框4, 74, 27, 140, 20, "") \
    X(透明标签8, TransparentLabel, 分组框4, 16, 54, 56, 24, "纠错级别") \
    X(组合框_纠错1, DropDownList, 分组框4, 74, 58, 140, 20, "", .items = kLevelItems, .selectedIndex = 0) \
    X(透明标签10, TransparentLabel, 分组框4, 16, 85, 56, 24, "图像大小") \
    X(编辑框4, EditBox, 分组框4, 72, 88, 40, 20, "200", .centred = true) \
    X(透明标签11, TransparentLabel, 分组框4, 118, 86, 16, 24, "×") \
    X(编辑框5, EditBox, 分组框4, 136, 88, 40, 20, "200", .centred = true) \
    X(分组框3, GroupBox, window, 256, 240, 232, 120, "数据显示") \
    X(透明标签2, TransparentLabel, 分组框3, 16, 16, 80, 24, "数据总数量：") \
    X(透明标签5, TransparentLabel, 分组框3, 92, 16, 120, 24, "") \
    X(透明标签3, TransparentLabel, 分组框3, 16, 40, 64, 24, "已生成数量：") \
    X(透明标签6, TransparentLabel, 分组框3, 92, 40, 120, 24, "") \
    X(透明标签4, TransparentLabel, 分组框3, 16, 65, 56, 24, "生成进度：") \
    X(透明标签12, TransparentLabel, 分组框3, 92, 64, 120, 24, "") \
    X(标签1, Label, 分组框3, 16, 96, 200, 3, "", .background = ui::kGreen) \
    X(按钮2, Button, window, 408, 366, 80, 20, "批量生成") \
    X(图片框1, PictureBox, window, 496, 14, 370, 370, "", .border = true, .stretch = true) \
    X(分组框6, GroupBox, window, 256, 398, 608, 120, "其他信息————请尊重原创作者") \
    X(透明标签15, TransparentLabel, 分组框6, 12, 15, 124, 24, "软件当前版本：") \
    X(透明标签16, TransparentLabel, 分组框6, 12, 33, 124, 24, "软件当前版本：") \
    X(透明标签17, TransparentLabel, 分组框6, 12, 51, 180, 24, "软件作者：") \
    X(透明标签20, TransparentLabel, 分组框6, 12, 69, 236, 24, "北京时间：") \
    X(透明标签13, TransparentLabel, 分组框6, 10, 88, 110, 24, "澜格帖子链接：") \
    X(透明标签14, LinkLabel, 分组框6, 118, 89, 475, 24, "未获取到数据", .textColour = ui::kBlue, \
      .fontPixelHeight = 12, .underline = true, .chineseCharset = true, .handPointer = true) \
    X(图片框2, PictureBox, 分组框6, 392, 11, 208, 71, "") \
    X(时钟1, Timer, window, 496, 400, 26, 26, "", .interval = 500) \
    X(通用对话框1, SaveFileDialog, window, 224, 72, 26, 26, "", .nameFilter = ".jpg", .defaultSuffix = ".jpg")
// clang-format on

// The main window: outer size (frame and caption included), client background.
inline constexpr int kMainWindowOuterWidth = 879;
inline constexpr int kMainWindowOuterHeight = 554;
inline constexpr ui::Colour kMainWindowBackground = ui::kWhite;

// Native toolkits that number their controls give the i-th control of the table the number
// kFirstControlId + i, so that tools outside the program can find a control by its name.
inline constexpr int kFirstControlId = 1000;

// The table of all controls in the order above.
std::span<const ControlDescription> MainWindowControls();

// The description of the control of that name; nullptr when there is none.
const ControlDescription* FindControl(std::string_view name);

// The big box's first text: "测试数据" and the lines 20210706001 to 20210707000, each ended by
// CR LF.
std::string DefaultInputText();
