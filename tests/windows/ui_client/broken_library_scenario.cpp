#include <cstdio>
#include <string>

#include "client/checks.h"
#include "files.h"
#include "message_boxes.h"
#include "scenario_steps.h"
#include "scenarios.h"
#include "text.h"

namespace ui_client {

namespace {

using qrwin::Check;

std::string NotALibrary() {
    std::string text = "This file stands where the QR library belongs and is no library.\r\n";
    text.resize(100, '.');
    return text;
}

}  // namespace

void RunBrokenLibraryScenario(const Options& options) {
    std::printf("== a text file in place of the library\n");
    const std::wstring folder = Join(options.workFolder, L"broken");
    const std::wstring library = Join(folder, kLibraryFile);
    const std::string garbage = NotALibrary();
    if (!Check(
            MakeFolder(folder) &&
                CopyInto(Join(options.programFolder, kProgramFile), Join(folder, kProgramFile)) &&
                WriteBytes(library, garbage),
            "a program folder with a 100-byte text file as QRCodeWin32.dll"))
        return;

    Program program;
    StartTimes times;
    const auto window = StartProgram(program, options, folder, OfflineAddresses(options.closedBase),
                                     kStartLimit, times);
    if (!window) return;
    if (!Check(WaitUntilReady(program, *window, kReadyLimit, times),
               "start-up ends without touching the library"))
        return;
    const auto kept = ReadBytes(library);
    Check(kept && std::string(kept->begin(), kept->end()) == garbage,
          "start-up leaves the existing QRCodeWin32.dll as it was");

    window->Click("按钮3");
    const MessageBoxSeen fatal = WaitForMessageBox(program, "QRCodeWin32.dll", kStartLimit);
    if (!Check(fatal.window != nullptr,
               "生成 shows a message box with the caption QRCodeWin32.dll"))
        return;
    std::printf("fatal message: %s\n", Shown(fatal.text).c_str());
    // The same words as on Linux: one line naming the file and the export, then the reason.
    const std::string firstLine =
        "无法从 \"QRCodeWin32.dll\" 载入函数 \"QRSetMessage\"，程序即将结束。\n";
    Check(fatal.text.rfind(firstLine, 0) == 0 && fatal.text.size() > firstLine.size(),
          "its text names QRCodeWin32.dll and the export QRSetMessage, then the reason",
          Shown(fatal.text));
    Check(Answer(fatal, fatal.hasOk ? IDOK : IDCANCEL), "the message box can be dismissed");
    const auto code = program.WaitForExit(120);
    Check(code.has_value() && *code != 0, "then the program ends with a nonzero code",
          code ? "exit code " + std::to_string(*code) : "still running after 120 s");
    Check(!IsFile(Join(folder, L"a.jpg")), "no a.jpg is written");
}

}  // namespace ui_client
