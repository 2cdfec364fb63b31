#include "expected_window.h"

namespace ui_client {

namespace {

using enum Kind;

// clang-format off
const ExpectedControl kControls[] = {
    {"分组框5", GroupBox, "window", 8, 8, 232, 80, "生成单个内容"},
    {"编辑框123456", EditBox, "分组框5", 8, 23, 208, 20, ""},
    {"透明标签9", TransparentLabel, "分组框5", 18, 45, 24, 24, "像素"},
    {"编辑框3", EditBox, "分组框5", 47, 48, 40, 20, "200"},
    {"按钮3", Button, "分组框5", 91, 48, 60, 20, "生成"},
    {"按钮4", Button, "分组框5", 155, 48, 60, 20, "保存"},
    {"分组框1", GroupBox, "window", 8, 104, 232, 416, "批量转换-待转换内容输入"},
    {"编辑框1", MultiLineEditBox, "分组框1", 10, 25, 208, 383, nullptr},
    {"分组框2", GroupBox, "window", 256, 8, 232, 88, "保存"},
    {"透明标签1", TransparentLabel, "分组框2", 8, 16, 56, 24, "保存位置"},
    {"编辑框2", EditBox, "分组框2", 8, 40, 184, 20, ""},
    {"按钮1", Button, "分组框2", 196, 40, 24, 20, "…"},
    {"分组框4", GroupBox, "window", 256, 104, 232, 128, "二维码参数设置"},
    {"透明标签7", TransparentLabel, "分组框4", 16, 24, 56, 24, "版本选择"},
    {"组合框_版本1", DropDownList, "分组框4", 74, 27, 140, 20, nullptr},
    {"透明标签8", TransparentLabel, "分组框4", 16, 54, 56, 24, "纠错级别"},
    {"组合框_纠错1", DropDownList, "分组框4", 74, 58, 140, 20, nullptr},
    {"透明标签10", TransparentLabel, "分组框4", 16, 85, 56, 24, "图像大小"},
    {"编辑框4", EditBox, "分组框4", 72, 88, 40, 20, "200"},
    {"透明标签11", TransparentLabel, "分组框4", 118, 86, 16, 24, "×"},
    {"编辑框5", EditBox, "分组框4", 136, 88, 40, 20, "200"},
    {"分组框3", GroupBox, "window", 256, 240, 232, 120, "数据显示"},
    {"透明标签2", TransparentLabel, "分组框3", 16, 16, 80, 24, "数据总数量："},
    {"透明标签5", TransparentLabel, "分组框3", 92, 16, 120, 24, nullptr},  // the line count
    {"透明标签3", TransparentLabel, "分组框3", 16, 40, 64, 24, "已生成数量："},
    {"透明标签6", TransparentLabel, "分组框3", 92, 40, 120, 24, ""},
    {"透明标签4", TransparentLabel, "分组框3", 16, 65, 56, 24, "生成进度："},
    {"透明标签12", TransparentLabel, "分组框3", 92, 64, 120, 24, ""},
    {"标签1", Label, "分组框3", 16, 96, 200, 3, ""},
    {"按钮2", Button, "window", 408, 366, 80, 20, "批量生成"},
    {"图片框1", PictureBox, "window", 496, 14, 370, 370, nullptr},
    {"分组框6", GroupBox, "window", 256, 398, 608, 120, "其他信息————请尊重原创作者"},
    {"透明标签15", TransparentLabel, "分组框6", 12, 15, 124, 24, "软件当前版本："},
    {"透明标签16", TransparentLabel, "分组框6", 12, 33, 124, 24, "软件当前版本："},
    {"透明标签17", TransparentLabel, "分组框6", 12, 51, 180, 24, "软件作者："},
    {"透明标签20", TransparentLabel, "分组框6", 12, 69, 236, 24, nullptr},  // the clock ticks
    {"透明标签13", TransparentLabel, "分组框6", 10, 88, 110, 24, "澜格帖子链接："},
    {"透明标签14", LinkLabel, "分组框6", 118, 89, 475, 24, "未获取到数据"},
    {"图片框2", PictureBox, "分组框6", 392, 11, 208, 71, nullptr},
    {"时钟1", Timer, "window", 496, 400, 26, 26, nullptr},
    {"通用对话框1", SaveFileDialog, "window", 224, 72, 26, 26, nullptr},
};
// clang-format on

}  // namespace

std::span<const ExpectedControl> ExpectedControls() {
    return kControls;
}

const ExpectedControl* FindExpected(std::string_view name) {
    for (const ExpectedControl& control : kControls)
        if (name == control.name) return &control;
    return nullptr;
}

std::string ExpectedDefaultInput() {
    std::string text = "测试数据\r\n";
    for (long long number = 20210706001; number <= 20210707000; ++number)
        text += std::to_string(number) + "\r\n";
    return text;
}

}  // namespace ui_client
