#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "toolkit/win32/controls/save_file_dialog.h"
#include "toolkit/win32/text/wide_text.h"

namespace win32 {

namespace {

constexpr std::size_t kFileNameCharacters = 32768;

// "description|pattern|description|pattern" as the dialog's list of NUL-separated pairs.
// A description without a pattern of its own (the whole filter ".jpg", say) still makes one
// entry, which lists every file.
std::wstring FilterList(const std::string& filter) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start <= filter.size() && !filter.empty()) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string::npos ? filter.size() : bar;
        parts.push_back(Widen(std::string_view(filter).substr(start, end - start)));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::wstring list;
    for (std::size_t at = 0; at < parts.size(); at += 2) {
        if (parts[at].empty()) continue;
        const std::wstring pattern =
            at + 1 < parts.size() && !parts[at + 1].empty() ? parts[at + 1] : std::wstring(L"*.*");
        list += parts[at] + L'\0' + pattern + L'\0';
    }
    if (list.empty()) return {};
    return list + L'\0';
}

}  // namespace

SaveFileDialog::SaveFileDialog(const ControlDescription& control, const Placement& placement)
    : owner_(placement.parent) {
    nameFilter = control.extras.nameFilter;
    defaultSuffix = control.extras.defaultSuffix;
}

bool SaveFileDialog::Show() {
    const std::wstring filter = FilterList(nameFilter);
    const std::wstring wideTitle = Widen(title);
    const std::wstring folder = Widen(initialFolder);
    // The dialog's default extension is written without its dot.
    std::wstring suffix = Widen(defaultSuffix);
    if (!suffix.empty() && suffix.front() == L'.') suffix.erase(0, 1);
    std::vector<wchar_t> file(kFileNameCharacters, L'\0');
    const std::wstring name = Widen(fileName);
    if (name.size() < file.size()) name.copy(file.data(), name.size());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = filterIndex > 0 ? static_cast<DWORD>(filterIndex) : 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
    dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
    // The current folder stays the program folder: relative output folders start there.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (confirmOverwrite) dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (pathMustExist) dialog.Flags |= OFN_PATHMUSTEXIST;
    if (fileMustExist) dialog.Flags |= OFN_FILEMUSTEXIST;
    if (hideReadOnly) dialog.Flags |= OFN_HIDEREADONLY;

    const BOOL confirmed = saveType ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!confirmed) return false;
    fileName = Narrow(file.data());
    return true;
}

}  // namespace win32
