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

}  // namespace

void SetLibraryPath(const std::string& path) {
    LibraryPath() = path;
}

void* ResolveLibraryExport(const char* exportName) {
    std::string detail;
    void* handle = LibraryHandle(detail);
    if (handle == nullptr) services::FailLibraryLoad(exportName, detail);
    void* address = services::FindExport(handle, exportName, detail);
    if (address == nullptr) services::FailLibraryLoad(exportName, detail);
    return address;
}
