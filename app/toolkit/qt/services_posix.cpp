// The services of the Linux program that need no toolkit: files, places and the library.
#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <span>
#include <vector>

#include "scratch_file.h"
#include "shell/app_paths.h"
#include "toolkit/services.h"

namespace services {

namespace {

bool WriteAll(int descriptor, const unsigned char* bytes, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t result = ::write(descriptor, bytes + written, size - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) return false;
        written += std::size_t(result);
    }
    return true;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
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

}  // namespace

ui::Bytes ReadWholeFile(const std::string& path) {
    // A folder of that name (a line such as "sub" beside a folder "sub.jpg") reads as nothing.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) return {};
    ui::Bytes bytes;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        unsigned char buffer[65536];
        for (;;) {
            const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR) continue;
            if (count <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + count);
        }
    }
    ::close(descriptor);
    return bytes;
}

bool WriteWholeFile(const std::string& path, const ui::Bytes& bytes) {
    const std::span<const uint8_t> parts[] = {{bytes.data(), bytes.size()}};
    return qrplat::ReplaceFileAtPath(path, parts) == 0;
}

bool WriteNewFile(const std::string& path, const unsigned char* bytes, std::size_t size,
                  NewFile kind) {
    // O_EXCL makes "only when nothing of that name exists" one step, with no window in between.
    const mode_t mode = kind == NewFile::Program ? 0755 : 0644;
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (descriptor < 0) return false;
    const bool written = WriteAll(descriptor, bytes, size);
    const bool closed = ::close(descriptor) == 0;
    // A half-written file would fail later in a confusing way; leave nothing instead.
    if (!written || !closed) ::unlink(path.c_str());
    return written && closed;
}

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool CreateFolderPath(const std::string& path) {
    for (std::size_t end = path.find(kPathSeparator, 1); end != std::string::npos;
         end = path.find(kPathSeparator, end + 1)) {
        const std::string level = path.substr(0, end);
        if (!IsFolder(level) && ::mkdir(level.c_str(), 0755) != 0) return false;
    }
    return true;
}

// $XDG_CONFIG_HOME/korvalind/, or ~/.config/korvalind/ when that variable is unset or relative.
std::string WorkingFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    std::string base = configHome != nullptr && configHome[0] == '/' ? std::string(configHome)
                                                                     : HomeFolder() + "/.config";
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    return base + "/korvalind/";
}

void* LoadLibraryFile(const std::string& pathOrName, std::string& detail) {
    if (pathOrName.find('/') != std::string::npos) {
        // A pipe or device of that name would block the loader forever.
        struct stat status {};
        if (::stat(pathOrName.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
            detail = pathOrName + ": not a regular file";
            return nullptr;
        }
        if (!HoldsItsSegments(pathOrName, detail)) return nullptr;
    }
    void* handle = ::dlopen(pathOrName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* error = ::dlerror();
        detail = error != nullptr ? error : "";
    }
    return handle;
}

void* FindExport(void* library, const char* exportName, std::string& detail) {
    ::dlerror();
    void* address = ::dlsym(library, exportName);
    if (address == nullptr) {
        const char* error = ::dlerror();
        detail = error != nullptr ? error : "";
    }
    return address;
}

}  // namespace services
