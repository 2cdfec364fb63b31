#include "shell/startup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>

#include "notice/fetch_notice.h"
#include "shell/library_image.h"
#include "shell/library_loader.h"
#include "shell/main_window.h"
#include "shell/private_profile.h"
#include "shell/working_folder.h"
#include "text/code_page.h"
#include "text/split_lines.h"

namespace {

constexpr const char* kSettingsSection = "preservation";
constexpr const char* kSettingsKey = "route";
constexpr std::size_t kSettingsReadBuffer = 10240;

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

// Creates an empty file; O_EXCL guarantees that an existing file is never truncated.
void CreateEmptyFile(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor >= 0) ::close(descriptor);
}

}  // namespace

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool CreateFolderPath(std::string path) {
    if (path.empty() || path.back() != kPathSeparator) path.push_back(kPathSeparator);
    for (std::size_t end = path.find(kPathSeparator, 1); end != std::string::npos;
         end = path.find(kPathSeparator, end + 1)) {
        const std::string level = path.substr(0, end);
        if (!IsFolder(level) && ::mkdir(level.c_str(), 0755) != 0) return false;
    }
    return true;
}

void OnMainWindowCreated(MainWindow& window) {
    AppPaths& paths = window.paths;
    paths.settingsFile = SettingsFilePath();
    paths.libraryPath = paths.programFolder + kPathSeparator + kLibraryFileName;
    SetLibraryPath(paths.libraryPath);

    FetchNotice(window);

    window.标签1->resize(0, window.标签1->height());

    const std::string workingFolder = WorkingFolder();
    if (!IsFolder(workingFolder)) CreateFolderPath(workingFolder);
    if (!Exists(paths.settingsFile)) CreateEmptyFile(paths.settingsFile);
    DeployLibraryImage(paths.libraryPath);

    FillVersionList(window);
    CountInputLines(window);

    const std::string route = ReadProfileString(kSettingsSection, kSettingsKey, "",
                                                paths.settingsFile, kSettingsReadBuffer);
    // The assignment raises OnFolderChanged, which writes the value straight back.
    window.编辑框2->SetContent(FromSystem8Bit(route));
}

void FillVersionList(MainWindow& window) {
    window.组合框_版本1->addItem(QStringLiteral("自动"));
    for (int version = 1; version <= 40; ++version) {
        const int side = 17 + 4 * version;
        window.组合框_版本1->addItem(QStringLiteral("版本_%1   %2×%2").arg(version).arg(side));
    }
    window.组合框_版本1->setCurrentIndex(0);
}

void CountInputLines(MainWindow& window) {
    const auto lines = SplitLines(ToSystem8Bit(window.编辑框1->Content()), "\r\n");
    window.透明标签5->setText(QString::number(lines.size()));
}

void OnFolderChanged(MainWindow& window) {
    // Before start-up has computed the settings file there is nowhere to store the folder.
    if (window.paths.settingsFile.empty()) return;
    WriteProfileString(kSettingsSection, kSettingsKey, ToSystem8Bit(window.编辑框2->Content()),
                       window.paths.settingsFile);
}
