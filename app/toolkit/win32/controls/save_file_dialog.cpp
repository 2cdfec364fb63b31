#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "toolkit/win32/controls/file_dialog_request.h"
#include "toolkit/win32/controls/save_file_dialog.h"
#include "toolkit/win32/text/wide_text.h"

namespace win32 {

namespace {

constexpr std::size_t kFileNameCharacters = 32768;

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

SaveFileDialog::SaveFileDialog(const ControlDescription& control, const Placement& placement)
    : owner_(placement.parent) {
    nameFilter = control.extras.nameFilter;
    defaultSuffix = control.extras.defaultSuffix;
}

bool SaveFileDialog::Show() {
    const FileDialogRequest request = DescribeFileDialog(*this);
    std::vector<wchar_t> file(kFileNameCharacters, L'\0');
    if (request.fileName.size() < file.size())
        request.fileName.copy(file.data(), request.fileName.size());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = OrNull(request.filter);
    dialog.nFilterIndex = request.filterIndex;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = OrNull(request.initialFolder);
    dialog.lpstrTitle = OrNull(request.title);
    dialog.lpstrDefExt = OrNull(request.defaultExtension);
    dialog.Flags = request.flags;

    const BOOL confirmed = saveType ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!confirmed) return false;
    fileName = Narrow(file.data());
    return true;
}

}  // namespace win32
