#include "file_dialog_checks.h"

#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <string>

#include "client/checks.h"
#include "text.h"
#include "toolkit/win32/controls/file_dialog_request.h"

namespace ui_client {

namespace {

using qrwin::Check;

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

}  // namespace

void CheckFileDialogRequests() {
    std::printf("== what the save dialog is given\n");
    constexpr DWORD kSaveOptions =
        OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    TemplateDialog save;
    const win32::FileDialogRequest first = win32::DescribeFileDialog(save);
    Check((first.flags & OFN_FILEMUSTEXIST) == 0,
          "a save dialog is not asked for existing files only", Hex(first.flags));
    Check((first.flags & kSaveOptions) == kSaveOptions,
          "it asks before overwriting, wants an existing folder, hides the read-only box",
          Hex(first.flags));
    Check(first.initialFolder.empty() && first.fileName.empty() && first.defaultExtension == L"jpg",
          "the first save opens where the system puts it, extension jpg");

    TemplateDialog open;
    open.saveType = false;
    Check((win32::DescribeFileDialog(open).flags & OFN_FILEMUSTEXIST) != 0,
          "an open dialog still wants an existing file");

    // After a first save: the chosen name, and the desktop as the folder to open in.
    save.fileName = "D:\\out\\第一.jpg";
    save.initialFolder = "C:\\users\\me\\Desktop\\";
    const win32::FileDialogRequest next = win32::DescribeFileDialog(save);
    Check(next.initialFolder == L"C:\\users\\me\\Desktop\\" && next.fileName == L"第一.jpg",
          "a later save opens in the initial folder, with the last name but not its folder",
          Narrow(next.initialFolder) + " | " + Narrow(next.fileName));
}

}  // namespace ui_client
