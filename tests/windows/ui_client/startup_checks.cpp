#include <windows.h>

#include "client/checks.h"
#include "expected_window.h"
#include "files.h"
#include "first_start_checks.h"
#include "scenario_steps.h"
#include "text.h"

namespace ui_client {

namespace {

using qrwin::Check;

std::string AsText(const std::optional<Bytes>& bytes) {
    return bytes ? std::string(bytes->begin(), bytes->end()) : "(no file)";
}

void CheckText(const WindowDriver& window, const char* name, const std::string& want) {
    const auto got = window.Text(name);
    Check(got == want, std::string(name) + " reads " + Shown(want),
          Shown(got.value_or("(no answer)")));
}

void CheckVersionList(const WindowDriver& window) {
    const char* list = "组合框_版本1";
    const auto count = window.ItemCount(list);
    Check(count == kVersionItems, "组合框_版本1 holds 41 items",
          count ? std::to_string(*count) : "no answer");
    Check(window.SelectedIndex(list) == 0, "组合框_版本1 has item 0 selected");
    const std::pair<int, std::string> items[] = {
        {0, "自动"}, {1, "版本_1   21×21"}, {2, "版本_2   25×25"}, {40, "版本_40   177×177"}};
    for (const auto& [index, want] : items) {
        const auto got = window.ItemText(list, index);
        Check(got == want, "组合框_版本1 item " + std::to_string(index) + " " + Shown(want),
              Shown(got.value_or("(none)")));
    }
}

void CheckLevelList(const WindowDriver& window) {
    const char* list = "组合框_纠错1";
    Check(window.ItemCount(list) == 4, "组合框_纠错1 holds 4 items");
    Check(window.SelectedIndex(list) == 0, "组合框_纠错1 has item 0 selected");
    CheckText(window, list, "L(5%)");
    const auto last = window.ItemText(list, 3);
    Check(last == "H(30%)", "组合框_纠错1 item 3 \"H(30%)\"", Shown(last.value_or("(none)")));
}

}  // namespace

int ProgressBarWidth(const WindowDriver& window) {
    RECT bar{};
    ::GetWindowRect(window.Control("标签1"), &bar);
    return bar.right - bar.left;
}

void CheckCleanBeforeStart(const Options& options) {
    Check(!IsFolder(kWorkingFolder) && !IsFile(kWorkingFolder),
          "clean prefix: no C:\\korvalind before the first start");
    const auto names = FileNames(options.programFolder);
    Check(names.size() == 1 && names[0] == kProgramFile,
          "fresh program folder: only qrbatch.exe before the first start",
          std::to_string(names.size()) + " files");
}

void CheckStartupState(const WindowDriver& window, const Options& options) {
    Check(TitleOf(window).empty(), "offline start: the window title stays empty",
          Shown(TitleOf(window)));
    CheckVersionList(window);
    CheckLevelList(window);
    CheckText(window, "透明标签5", "1001");
    CheckText(window, "透明标签6", "");
    Check(ProgressBarWidth(window) == 0, "start-up empties the progress bar 标签1",
          std::to_string(ProgressBarWidth(window)) + " pixels wide");
    CheckText(window, "编辑框2", "");
    CheckText(window, "编辑框3", "200");
    CheckText(window, "编辑框4", "200");
    CheckText(window, "编辑框5", "200");
    CheckText(window, "编辑框123456", "");
    const auto input = window.Text("编辑框1");
    Check(input == ExpectedDefaultInput(),
          "编辑框1 holds the default 1001 lines, each ending in CR LF",
          std::to_string(input.value_or("").size()) + " bytes");

    const auto deployed = ReadBytes(Join(options.programFolder, kLibraryFile));
    const auto built = ReadBytes(options.libraryCopy);
    Check(built.has_value() && !built->empty(), "the built library's copy is readable");
    Check(deployed.has_value() && deployed == built,
          "QRCodeWin32.dll next to the program equals the built library byte for byte",
          std::to_string(deployed ? deployed->size() : 0) + " bytes against " +
              std::to_string(built ? built->size() : 0));

    Check(IsFolder(kWorkingFolder), "C:\\korvalind is created");
    const auto settings = ReadBytes(kSettingsFile);
    Check(AsText(settings) == "[preservation]\r\nroute=\r\n",
          "Set.ini holds \"[preservation]\" and \"route=\" lines, CR LF", Shown(AsText(settings)));
}

void CheckFolderStored(const WindowDriver& window, const Options& options) {
    const std::string folder = Narrow(options.outputFolder);
    Check(window.SetText("编辑框2", folder), "WM_SETTEXT into 编辑框2 is taken");
    // Read at once: the content-changed handler has written the file before WM_SETTEXT returned.
    char stored[1024] = {};
    ::GetPrivateProfileStringA("preservation", "route", "(missing)", stored, sizeof stored,
                               Narrow(kSettingsFile).c_str());
    Check(stored == folder, "the folder typed into 编辑框2 is in Set.ini at once", Shown(stored));
    const auto settings = ReadBytes(kSettingsFile);
    Check(AsText(settings) == "[preservation]\r\nroute=" + folder + "\r\n",
          "Set.ini holds only that section and key", Shown(AsText(settings)));
}

}  // namespace ui_client
