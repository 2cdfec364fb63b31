// The texts of --help and --version-info.
#pragma once

#include <string>

namespace qrcli {

std::string HelpText();
std::string VersionText();

}  // namespace qrcli
