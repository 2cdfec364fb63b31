#include "shell/library_loader.h"

#include <dlfcn.h>

#include "shell/fatal_error.h"

namespace {

std::string& LibraryPath() {
    static std::string path;
    return path;
}

// Loads the library once; on failure returns null and fills detail.
void* LibraryHandle(std::string& detail) {
    static void* handle = nullptr;
    if (handle != nullptr) return handle;
    if (!LibraryPath().empty()) handle = ::dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* byPath = ::dlerror();
        handle = ::dlopen(kLibraryFileName, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* byName = ::dlerror();
            detail = std::string(byPath != nullptr ? byPath : "") + "\n" +
                     (byName != nullptr ? byName : "");
        }
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
    if (handle == nullptr) FailLibraryLoad(exportName, detail);
    ::dlerror();
    void* address = ::dlsym(handle, exportName);
    if (address == nullptr) {
        const char* error = ::dlerror();
        FailLibraryLoad(exportName, error != nullptr ? error : "");
    }
    return address;
}
