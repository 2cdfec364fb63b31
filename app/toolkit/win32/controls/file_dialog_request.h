#pragma once

#include <windows.h>

#include <string>

#include "toolkit/controls.h"

namespace win32 {

// What the system's file dialog is given for the settings of the window's dialog component:
// its option flags, the filter list, the folder it opens in and the name it starts with.
struct FileDialogRequest {
    DWORD flags = 0;
    std::wstring filter;  // description and pattern pairs, each NUL-ended, then one more NUL
    DWORD filterIndex = 1;
    std::wstring initialFolder;
    std::wstring fileName;
    std::wstring defaultExtension;  // without its dot
    std::wstring title;
};

FileDialogRequest DescribeFileDialog(const ui::SaveFileDialog& settings);

}  // namespace win32
