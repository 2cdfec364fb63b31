#include "shell/startup.h"

#include "notice/fetch_notice.h"
#include "shell/library_image.h"
#include "shell/library_loader.h"
#include "shell/main_window.h"
#include "text/split_lines.h"
#include "toolkit/services.h"

namespace {

constexpr const char* kSettingsSection = "preservation";
constexpr const char* kSettingsKey = "route";
constexpr const char* kSettingsFileName = "Set.ini";
constexpr std::size_t kSettingsReadBuffer = 10240;

}  // namespace

void OnMainWindowCreated(MainWindow& window) {
    AppPaths& paths = window.paths;
    const std::string workingFolder = services::WorkingFolder();
    paths.settingsFile = workingFolder + kSettingsFileName;
    paths.libraryPath = paths.programFolder + kPathSeparator + kLibraryFileName;
    SetLibraryPath(paths.libraryPath);

    FetchNotice(window);

    window.标签1->SetWidth(0);

    if (!services::IsFolder(workingFolder)) services::CreateFolderPath(workingFolder);
    // An empty file; written only when nothing of that name exists, so nothing is truncated.
    if (!services::Exists(paths.settingsFile))
        services::WriteNewFile(paths.settingsFile, nullptr, 0, services::NewFile::Data);
    DeployLibraryImage(paths.libraryPath);

    FillVersionList(window);
    CountInputLines(window);

    const std::string route = services::ReadProfileString(kSettingsSection, kSettingsKey, "",
                                                          paths.settingsFile, kSettingsReadBuffer);
    // The assignment raises OnFolderChanged, which writes the value straight back.
    window.编辑框2->SetContent(services::FromSystem8Bit(route));
}

void FillVersionList(MainWindow& window) {
    window.组合框_版本1->AddItem("自动");
    for (int version = 1; version <= 40; ++version) {
        const std::string side = std::to_string(17 + 4 * version);
        window.组合框_版本1->AddItem("版本_" + std::to_string(version) + "   " + side + "×" + side);
    }
    window.组合框_版本1->SetSelectedIndex(0);
}

void CountInputLines(MainWindow& window) {
    const auto lines = SplitLines(services::ToSystem8Bit(window.编辑框1->Content()), "\r\n");
    window.透明标签5->SetCaption(std::to_string(lines.size()));
}

void OnFolderChanged(MainWindow& window) {
    // Before start-up has computed the settings file there is nowhere to store the folder.
    if (window.paths.settingsFile.empty()) return;
    services::WriteProfileString(kSettingsSection, kSettingsKey,
                                 services::ToSystem8Bit(window.编辑框2->Content()),
                                 window.paths.settingsFile);
}
