#include "shell/working_folder.h"

#include <cstdlib>

#ifdef _WIN32
std::string WorkingFolder() {
    return "C:\\korvalind\\";
}
#else
#include <pwd.h>
#include <unistd.h>

namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

}  // namespace

std::string WorkingFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    std::string base = configHome != nullptr && configHome[0] == '/' ? std::string(configHome)
                                                                     : HomeFolder() + "/.config";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/korvalind/";
}
#endif

std::string SettingsFilePath() {
    return WorkingFolder() + "Set.ini";
}
