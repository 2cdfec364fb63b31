#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstdio>

#include "client/checks.h"
#include "files.h"
#include "first_start_checks.h"
#include "text.h"
#include "toolkit/win32/controls/file_dialog_request.h"
#include "waiting.h"
#include "window_search.h"

namespace ui_client {

namespace {

using qrwin::Check;

constexpr double kDialogLimit = 240;

// The settings of the window's dialog component as the window has them at start.
struct TemplateDialog : ui::SaveFileDialog {
    TemplateDialog() {
        nameFilter = ".jpg";
        defaultSuffix = ".jpg";
    }
    bool Show() override { return false; }
};

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", static_cast<unsigned long>(value));
    return text;
}

void CheckRequests() {
    constexpr DWORD kSaveOptions =
        OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    TemplateDialog save;
    const DWORD flags = win32::DescribeFileDialog(save).flags;
    Check((flags & OFN_FILEMUSTEXIST) == 0, "a save dialog is not asked for existing files only",
          Hex(flags));
    Check((flags & kSaveOptions) == kSaveOptions,
          "it asks before overwriting, wants an existing folder, hides the read-only box",
          Hex(flags));

    TemplateDialog open;
    open.saveType = false;
    Check((win32::DescribeFileDialog(open).flags & OFN_FILEMUSTEXIST) != 0,
          "an open dialog still wants an existing file");

    // After a first save: the chosen name and the desktop as the folder to open in.
    save.fileName = "D:\\out\\第一.jpg";
    save.initialFolder = "C:\\users\\me\\Desktop\\";
    const win32::FileDialogRequest next = win32::DescribeFileDialog(save);
    Check(next.initialFolder == L"C:\\users\\me\\Desktop\\" && next.fileName == L"第一.jpg",
          "the next dialog opens in the given folder, with the last name but not its folder",
          Narrow(next.initialFolder) + " | " + Narrow(next.fileName));
}

HWND WaitForSaveDialog(const Program& program) {
    HWND dialog = WaitForProcessWindow(program, kDialogClass, std::nullopt, kDialogLimit);
    if (dialog == nullptr) return nullptr;
    // The dialog lists its folder before it answers.
    WaitUntil(
        [&] {
            DWORD_PTR result = 0;
            return ::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
        },
        kDialogLimit);
    return dialog;
}

// Types the name into the dialog and confirms it; true once the dialog is gone.
bool SaveAs(const Program& program, HWND dialog, const std::string& name) {
    HWND box = ::GetDlgItem(dialog, cmb13);
    if (box == nullptr) box = ::GetDlgItem(dialog, edt1);
    const std::wstring wide = Widen(name);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_NORMAL,
                          10000, &result);
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (WaitUntil([&] { return ::IsWindow(dialog) == FALSE || !program.Running(); }, 60))
        return true;
    // Refused: the dialog (and a message of its own) stays; cancel, so the scenario goes on.
    for (HWND shown; (shown = FindProcessWindow(program.Id(), kDialogClass)) != nullptr;) {
        ::PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
        if (!WaitUntil([&] { return ::IsWindow(shown) == FALSE; }, 30)) break;
    }
    return false;
}

std::wstring DesktopFolder() {
    wchar_t folder[MAX_PATH] = {};
    // Created when the prefix has none, so that the program finds it as a user's desktop.
    ::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_DESKTOPDIRECTORY, TRUE);
    return folder;
}

}  // namespace

void CheckSaveDialog(const Program& program, const WindowDriver& window, const Options& options) {
    CheckRequests();
    const auto preview = ReadBytes(Join(options.programFolder, L"a.jpg"));
    const std::wstring desktop = DesktopFolder();

    // A new name in a folder of the user's choice.
    const std::wstring first = Join(options.workFolder, L"第一.jpg");
    window.Click("按钮4");
    HWND dialog = WaitForSaveDialog(program);
    if (!Check(dialog != nullptr, "保存 opens the save dialog")) return;
    const bool saved = SaveAs(program, dialog, Narrow(first));
    Check(saved && ReadBytes(first) == preview && preview.has_value(),
          "the save dialog takes a new name, and the shown picture is written there");

    // The next save opens on the desktop: a bare name lands there.
    window.Click("按钮4");
    dialog = WaitForSaveDialog(program);
    if (!Check(dialog != nullptr, "保存 opens the save dialog again")) return;
    SaveAs(program, dialog, "第二.jpg");
    const std::wstring onDesktop = Join(desktop, L"第二.jpg");
    const std::wstring besideFirst = Join(options.workFolder, L"第二.jpg");
    Check(IsFile(onDesktop) && !IsFile(besideFirst),
          "the second save dialog opens on the desktop, not in the folder of the first",
          IsFile(besideFirst) ? "it opened beside the first file" : Narrow(desktop));
    ::DeleteFileW(onDesktop.c_str());
}

}  // namespace ui_client
