#include <cstdio>

#include "client/checks.h"
#include "message_boxes.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "text.h"

namespace ui_client {

namespace {

using qrwin::Check;

// The notice server's 1.html (GBK):
// a=测试标题|<br>b=2|<br>c=<server>/x|<br>d=作者|<br>e=日志|<br>f=假
constexpr char kInfoText[] =
    "检测到当前软件有更新，请前往【澜格论坛】进行下载更新\r\n\r\n当前版本：1.0\r\n"
    "最新版本：2.0\r\n\r\n新版更新日志：\r\n日志";

void CheckLabel(const WindowDriver& window, const char* name, const std::string& want) {
    const auto got = window.Text(name);
    Check(got == want, std::string(name) + " reads " + Shown(want),
          Shown(got.value_or("(no answer)")));
}

// Both questions come during start-up, before the window is ready.
bool AnswerUpdateOffer(const Program& program) {
    const MessageBoxSeen info = WaitForMessageBox(program, "信息：", kStartLimit);
    if (!Check(info.window != nullptr, "the update offer shows the message box \"信息：\""))
        return false;
    Check(info.text == kInfoText, "its text names 当前版本：1.0, 最新版本：2.0 and the log",
          Shown(info.text));
    Check(info.hasOk && !info.hasCancel, "it has an OK button only");
    Check(Answer(info, IDOK), "OK closes it");

    const MessageBoxSeen question = WaitForMessageBox(program, "是否更新", 120);
    if (!Check(question.window != nullptr, "then the question \"是否更新\" comes")) return false;
    Check(question.text == "是否进行更新？？？", "it asks \"是否进行更新？？？\"",
          Shown(question.text));
    Check(question.hasOk && question.hasCancel, "it has OK and Cancel");
    return Check(Answer(question, IDCANCEL), "Cancel closes it");
}

}  // namespace

void RunNoticeScenario(const Options& options) {
    std::printf("== notice page offering version 2\n");
    const std::string server = options.serverBase;
    Program program;
    StartTimes times;
    const auto window = StartProgram(program, options, options.programFolder,
                                     {server + "/1.html", server + "/1.html", server + "/logo.png"},
                                     kStartLimit, times);
    if (!window) return;
    if (!AnswerUpdateOffer(program)) return;

    // Not mandatory: the program goes on after Cancel.
    const bool ready = WaitUntilReady(program, *window, kReadyLimit, times);
    PrintTime("start with the notice page, start-up done", times.ready);
    if (!Check(ready, "after Cancel on an optional update start-up goes on to the end")) return;

    Check(TitleOf(*window) == "测试标题", "the window title becomes the page's first value",
          Shown(TitleOf(*window)));
    CheckLabel(*window, "透明标签14", server + "/x   （点击可跳转）");
    CheckLabel(*window, "透明标签15", "软件当前版本：V1.0");
    CheckLabel(*window, "透明标签16", "软件最新版本：V2.0");
    CheckLabel(*window, "透明标签17", "软件作者：作者");
    // The second start restores the folder stored by the first.
    CheckLabel(*window, "编辑框2", Narrow(options.outputFolder));
    CloseAndCheckEnd(program, *window, "WM_CLOSE ends the program with code 0");
}

}  // namespace ui_client
