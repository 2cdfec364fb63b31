// The export table as a client sees it: exactly the fourteen plain names, nothing decorated.
#include <windows.h>

#include <set>
#include <string>

#include "checks.h"
#include "library.h"
#include "suites.h"

namespace qrwin {

namespace {

// The names in the loaded module's own export directory.
std::set<std::string> ExportedNames(HMODULE module) {
    std::set<std::string> names;
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0) return names;
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        names.insert(reinterpret_cast<const char*>(base + nameRvas[i]));
    }
    return names;
}

}  // namespace

void RunExportChecks() {
    HMODULE module = Library();
    if (!Check(module != nullptr, "LoadLibraryA(\"QRCodeWin32.dll\")",
               "error " + std::to_string(::GetLastError()))) {
        return;
    }
    std::set<std::string> expected;
    for (const ExportName& e : kExportNames) {
        expected.insert(e.name);
        Check(::GetProcAddress(module, e.name) != nullptr,
              std::string("export resolves: ") + e.name);
        const std::string plain = e.name;
        const std::string suffixed = plain + '@' + std::to_string(e.argumentBytes);
        for (const std::string& decorated : {'_' + suffixed, suffixed, '_' + plain}) {
            Check(::GetProcAddress(module, decorated.c_str()) == nullptr,
                  "no decorated export: " + decorated);
        }
    }
    for (const char* internal : {"DllMain", "DllMain@12", "_DllMain@12"}) {
        Check(::GetProcAddress(module, internal) == nullptr,
              std::string("not exported: ") + internal);
    }
    const std::set<std::string> actual = ExportedNames(module);
    std::string listed;
    for (const std::string& n : actual) listed += n + " ";
    Check(actual == expected, "export directory holds exactly the fourteen names", listed);
}

}  // namespace qrwin
