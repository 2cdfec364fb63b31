#include "shell/window_description.h"

namespace {

#define QR_DESCRIBE_CONTROL(name, kind, container, left, top, width, height, caption, ...)       \
    ControlDescription{#name,   ControlKind::kind,         #container, left, top, width, height, \
                       caption, ControlExtras{__VA_ARGS__}},

const ControlDescription kControls[] = {QR_MAIN_WINDOW_CONTROLS(QR_DESCRIBE_CONTROL)};

#undef QR_DESCRIBE_CONTROL

}  // namespace

std::span<const ControlDescription> MainWindowControls() {
    return kControls;
}

const ControlDescription* FindControl(std::string_view name) {
    for (const ControlDescription& control : kControls)
        if (name == control.name) return &control;
    return nullptr;
}

std::string DefaultInputText() {
    std::string text = "测试数据\r\n";
    for (long long number = 20210706001; number <= 20210707000; ++number)
        text += std::to_string(number) + "\r\n";
    return text;
}
