#include "shell/library_loader.h"

#include <dlfcn.h>
#include <elf.h>

#include <cstdint>
#include <fstream>
#include <string_view>
#include <vector>

#include "shell/fatal_error.h"

namespace {

std::string& LibraryPath() {
    static std::string path;
    return path;
}

// The dynamic loader maps a library's segments without checking that the file holds them: a
// truncated file makes it fault (SIGBUS) instead of failing. So a native library file is first
// checked to hold every segment it announces; other files are left to the loader to refuse.
bool HoldsItsSegments(const std::string& path, std::string& detail) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return true;  // missing: the loader says so
    const auto size = static_cast<std::uint64_t>(in.tellg());
    Elf64_Ehdr header{};
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(&header), sizeof header)) return true;
    if (std::string_view(reinterpret_cast<const char*>(header.e_ident), SELFMAG) != ELFMAG ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_phentsize != sizeof(Elf64_Phdr)) {
        return true;
    }
    std::vector<Elf64_Phdr> segments(header.e_phnum);
    in.seekg(static_cast<std::streamoff>(header.e_phoff));
    if (!in.read(reinterpret_cast<char*>(segments.data()),
                 static_cast<std::streamsize>(segments.size() * sizeof(Elf64_Phdr)))) {
        detail = path + ": the file is cut short";
        return false;
    }
    for (const Elf64_Phdr& segment : segments) {
        if ((segment.p_type == PT_LOAD || segment.p_type == PT_DYNAMIC) &&
            (segment.p_offset > size || segment.p_filesz > size - segment.p_offset)) {
            detail = path + ": the file is cut short";
            return false;
        }
    }
    return true;
}

// Loads the library once; on failure returns null and fills detail.
void* LibraryHandle(std::string& detail) {
    static void* handle = nullptr;
    if (handle != nullptr) return handle;
    std::string byPath;
    if (!LibraryPath().empty() && HoldsItsSegments(LibraryPath(), byPath)) {
        handle = ::dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* error = ::dlerror();
            byPath = error != nullptr ? error : "";
        }
    }
    if (handle == nullptr) {
        handle = ::dlopen(kLibraryFileName, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* byName = ::dlerror();
            detail = byPath + "\n" + (byName != nullptr ? byName : "");
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
