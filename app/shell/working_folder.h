#pragma once

#include <string>

// The fixed folder that holds the settings file, with a trailing separator:
// $XDG_CONFIG_HOME/korvalind/, or ~/.config/korvalind/ when that variable is unset or relative.
std::string WorkingFolder();

// The settings file inside the working folder.
std::string SettingsFilePath();
