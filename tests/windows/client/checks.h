// Counting and reporting of the client's checks.
#pragma once

#include <string>

namespace qrwin {

// Records one check; prints failures with their detail.
bool Check(bool ok, const std::string& what, const std::string& detail = {});

int PassedCount();
int FailedCount();

}  // namespace qrwin
