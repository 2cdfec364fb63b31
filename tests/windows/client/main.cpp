// Windows test client of QRCodeWin32.dll.
//   qr-windows-client [REFERENCE_FOLDER]
// The library is loaded by its bare name, so it must sit next to this program. The reference
// folder holds the pattern, BMP and WMF files the Linux build wrote for the same cases.
#include <cstdio>
#include <string>

#include "checks.h"
#include "library.h"
#include "suites.h"

int main(int argc, char** argv) {
    const std::string references = argc > 1 ? argv[1] : "reference";
    qrwin::RunExportChecks();
    if (qrwin::Library() != nullptr) {
        qrwin::RunCallChecks();
        qrwin::RunSetterChecks();
        qrwin::RunReferenceChecks(references);
        qrwin::RunGdiChecks();
        qrwin::RunClipboardChecks();
    }
    std::printf("%d passed, %d failed\n", qrwin::PassedCount(), qrwin::FailedCount());
    return qrwin::FailedCount() == 0 ? 0 : 1;
}
