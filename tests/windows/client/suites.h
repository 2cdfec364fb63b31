// The groups of checks the client runs, in order.
#pragma once

#include <string>

namespace qrwin {

void RunExportChecks();
void RunCallChecks();
void RunSetterChecks();
void RunReferenceChecks(const std::string& referenceFolder);
void RunGdiChecks();
void RunClipboardChecks();

}  // namespace qrwin
