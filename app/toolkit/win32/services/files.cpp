// File services over the ANSI file functions: paths are 8-bit text in the system code page.
#include <windows.h>

#include <dbghelp.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "scratch_file.h"
#include "toolkit/services.h"

// <windows.h> names the system's own function WriteProfileString as well.
#undef WriteProfileString

namespace services {

namespace {

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (!Valid()) return true;
        const bool closed = CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const unsigned char* bytes, std::size_t size) {
    while (size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

bool HasWildcard(const std::string& path) {
    return path.find_first_of("*?") != std::string::npos;
}

}  // namespace

ui::Bytes ReadWholeFile(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only files on a disk: a pipe, console or port of that name could keep the read waiting.
    if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK) return {};
    ui::Bytes bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && size.QuadPart < 0x40000000)
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    unsigned char buffer[65536];
    for (;;) {
        DWORD count = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr) || count == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    return bytes;
}

bool WriteWholeFile(const std::string& path, const ui::Bytes& bytes) {
    // A scratch file beside the file, moved over it once whole.
    const size_t cut = path.find_last_of("/\\:");
    const std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
    std::string scratch;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && handle == INVALID_HANDLE_VALUE; ++attempt) {
        scratch = folder + qrplat::NewScratchName();
        handle = CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    FileHandle file(handle);
    if (!file.Valid()) return false;
    const bool written = WriteAll(file.Get(), bytes.data(), bytes.size());
    const bool moved = file.Close() && written &&
                       MoveFileExA(scratch.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!moved) DeleteFileA(scratch.c_str());
    return moved;
}

bool WriteNewFile(const std::string& path, const unsigned char* bytes, std::size_t size, NewFile) {
    // CREATE_NEW checks that nothing of that name exists and creates the file in one step.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    const bool written = WriteAll(file.Get(), bytes, size);
    const bool closed = file.Close();
    // A half-written library would fail later in a confusing way; leave nothing instead.
    if (!written || !closed) DeleteFileA(path.c_str());
    return written && closed;
}

bool Exists(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    // A file held open without sharing (a page file, say) has no readable attributes but is
    // still found by name; a pattern would find other names, so none is searched for.
    if (path.empty() || HasWildcard(path)) return false;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool IsFolder(const std::string& path) {
    // Exactly the directory attribute value counts.
    return PathIsDirectoryA(path.c_str()) == FILE_ATTRIBUTE_DIRECTORY;
}

bool CreateFolderPath(const std::string& path) {
    std::string folder = path;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return MakeSureDirectoryPathExists(folder.c_str()) != FALSE;
}

std::string WorkingFolder() {
    return "C:\\korvalind\\";
}

std::string DesktopFolder() {
    char folder[MAX_PATH + 1] = {};
    // Without one the dialog opens where the system puts it, as with no folder at all.
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
    return std::string(folder) + '\\';
}

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& file,
                              std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    std::string value(bufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(
        std::string(section).c_str(), std::string(key).c_str(), std::string(defaultValue).c_str(),
        value.data(), static_cast<DWORD>(bufferSize), file.c_str());
    value.resize(length < bufferSize ? length : bufferSize - 1);
    return value;
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& file) {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), file.c_str()) != FALSE;
}

}  // namespace services
