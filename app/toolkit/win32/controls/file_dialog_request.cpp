#include "toolkit/win32/controls/file_dialog_request.h"

#include <commdlg.h>

#include <vector>

#include "toolkit/win32/text/wide_text.h"

namespace win32 {

namespace {

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

FileDialogRequest DescribeFileDialog(const ui::SaveFileDialog& settings) {
    FileDialogRequest request;
    // The current folder stays the program folder: relative output folders start there.
    request.flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (settings.confirmOverwrite) request.flags |= OFN_OVERWRITEPROMPT;
    if (settings.pathMustExist) request.flags |= OFN_PATHMUSTEXIST;
    // Only for opening: a save dialog with it may refuse every new name.
    if (settings.fileMustExist && !settings.saveType) request.flags |= OFN_FILEMUSTEXIST;
    if (settings.hideReadOnly) request.flags |= OFN_HIDEREADONLY;
    request.filter = FilterList(settings.nameFilter);
    request.filterIndex = settings.filterIndex > 0 ? static_cast<DWORD>(settings.filterIndex) : 1;
    request.initialFolder = Widen(settings.initialFolder);
    request.fileName = Widen(settings.fileName);
    // A name with a folder would open the dialog in that folder, whatever the initial folder.
    if (!request.initialFolder.empty())
        request.fileName = request.fileName.substr(request.fileName.find_last_of(L"\\/") + 1);
    // The dialog's default extension is written without its dot.
    request.defaultExtension = Widen(settings.defaultSuffix);
    if (!request.defaultExtension.empty() && request.defaultExtension.front() == L'.')
        request.defaultExtension.erase(0, 1);
    request.title = Widen(settings.title);
    return request;
}

}  // namespace win32
