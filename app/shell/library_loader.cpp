#include "shell/library_loader.h"

#include "toolkit/services.h"

namespace {

std::string& LibraryPath() {
    static std::string path;
    return path;
}

// Loads the library once: from the library path, then by its bare name through the platform's
// search. On failure returns null and fills detail.
void* LibraryHandle(std::string& detail) {
    static void* handle = nullptr;
    if (handle != nullptr) return handle;
    std::string byPath;
    if (!LibraryPath().empty()) handle = services::LoadLibraryFile(LibraryPath(), byPath);
    if (handle == nullptr) {
        std::string byName;
        handle = services::LoadLibraryFile(kLibraryFileName, byName);
        if (handle == nullptr) detail = byPath + "\n" + byName;
    }
    return handle;
}

[[noreturn]] void FailLibraryLoad(const char* exportName, const std::string& detail) {
    services::ShowFatalErrorAndExit(kLibraryFileName, LibraryFailureText(exportName, detail));
}

}  // namespace

std::string LibraryFailureText(const std::string& exportName, const std::string& detail) {
    return std::string("无法从 \"") + kLibraryFileName + "\" 载入函数 \"" + exportName +
           "\"，程序即将结束。\n" + services::FromSystem8Bit(detail);
}

void SetLibraryPath(const std::string& path) {
    LibraryPath() = path;
}

void* ResolveLibraryExport(const char* exportName) {
    std::string detail;
    void* handle = LibraryHandle(detail);
    if (handle == nullptr) FailLibraryLoad(exportName, detail);
    void* address = services::FindExport(handle, exportName, detail);
    if (address == nullptr) FailLibraryLoad(exportName, detail);
    return address;
}
