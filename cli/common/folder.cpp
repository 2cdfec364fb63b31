#include "common/folder.h"

#include <cerrno>

#include "scratch_file.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>

#include "common/windows_calls.h"
#include "common/windows_names.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qrcommon {

#if defined(_WIN32)

namespace {

constexpr int kNameAttempts = 100;

// The wide form of a name to make in the folder, or nothing with the errno that refuses it.
std::optional<std::wstring> FileName(const std::string& name, int& error) {
    if (!WindowsTakesName(name)) {
        error = EINVAL;
        return std::nullopt;
    }
    auto wide = WideName(name);
    if (!wide) error = EILSEQ;
    return wide;
}

int LastErrno() {
    return ErrnoOf(GetLastError());
}

// A new scratch file, not shared while open: that is what tells a live writer's file from a
// leftover. Its name is put in scratch; INVALID_HANDLE_VALUE with errno set when none is made.
HANDLE CreateScratchHandle(const std::wstring& prefix, std::wstring& scratch) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string name = qrplat::NewScratchName();
        scratch.assign(name.begin(), name.end());  // plain letters
        const HANDLE file = CreateFileW((prefix + scratch).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            errno = ErrnoOf(error);
            return INVALID_HANDLE_VALUE;
        }
    }
    errno = EEXIST;
    return INVALID_HANDLE_VALUE;
}

// 0, or the errno of the write that failed.
int WriteParts(HANDLE file, std::span<const std::span<const uint8_t> > parts) {
    for (const auto& part : parts) {
        size_t done = 0;
        while (done < part.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(part.size() - done, 1U << 30));
            DWORD written = 0;
            if (!WriteFile(file, part.data() + done, chunk, &written, nullptr)) return LastErrno();
            if (written == 0) return EIO;
            done += written;
        }
    }
    return 0;
}

// The folder's whole path with its separator, in the form that lifts the limit of 260
// characters on a path: deep folders and long names work as on Linux. Taken once, when the
// folder is opened, as a descriptor would be.
std::wstring LongPrefix(const std::wstring& path) {
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(need, L'\0');
    const DWORD length = need == 0 ? 0 : GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
    if (length == 0 || length >= need) {
        full = path;  // as given, within the usual limit
    } else {
        full.resize(length);
        if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) {
            // a device path or one in the long form already
        } else if (full.starts_with(L"\\\\")) {
            full = L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share
        } else {
            full = L"\\\\?\\" + full;
        }
    }
    if (full.back() != L'\\' && full.back() != L'/' && full.back() != L':') full += L'\\';
    return full;
}

}  // namespace

std::optional<Folder> Folder::Open(const std::string& path, int& error) {
    const auto wide = WideName(path.empty() ? "." : path);
    if (!wide) {
        error = EILSEQ;
        return std::nullopt;
    }
    const DWORD attributes = GetFileAttributesW(wide->c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = LastErrno();
        return std::nullopt;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        error = ENOTDIR;
        return std::nullopt;
    }
    // Without FILE_SHARE_DELETE no one renames or removes the folder while it is held.
    const HANDLE handle =
        CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = LastErrno();
        return std::nullopt;
    }
    return Folder(LongPrefix(*wide), handle);
}

Folder::~Folder() {
    if (handle_ != nullptr) CloseHandle(handle_);
}

Folder::Folder(Folder&& other) noexcept
    : prefix_(std::move(other.prefix_)), handle_(other.handle_) {
    other.handle_ = nullptr;
}

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr) CloseHandle(handle_);
        prefix_ = std::move(other.prefix_);
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

bool Folder::IsOpen() const {
    return handle_ != nullptr;
}

void Folder::RemoveLeftovers() const {
    qrplat::RemoveLeftoverScratchFiles(prefix_);
}

int Folder::Replace(const std::string& name,
                    std::span<const std::span<const uint8_t> > parts) const {
    int error = 0;
    const auto wide = FileName(name, error);
    if (!wide) return error;
    std::wstring scratch;
    const HANDLE file = CreateScratchHandle(prefix_, scratch);
    if (file == INVALID_HANDLE_VALUE) return errno;
    error = WriteParts(file, parts);
    // Some file systems report a failed write only here.
    if (!CloseHandle(file) && error == 0) error = LastErrno();
    if (error == 0 && !MoveFileExW((prefix_ + scratch).c_str(), (prefix_ + *wide).c_str(),
                                   MOVEFILE_REPLACE_EXISTING)) {
        error = LastErrno();
    }
    if (error != 0) DeleteFileW((prefix_ + scratch).c_str());
    return error;
}

int Folder::CreateScratch(std::string& name) const {
    std::wstring scratch;
    const HANDLE file = CreateScratchHandle(prefix_, scratch);
    if (file == INVALID_HANDLE_VALUE) return -1;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(file);
        DeleteFileW((prefix_ + scratch).c_str());
        errno = EMFILE;
        return -1;
    }
    name.assign(scratch.begin(), scratch.end());
    return fd;
}

int Folder::Rename(const std::string& scratch, const std::string& name) const {
    int error = 0;
    const auto wide = FileName(name, error);
    if (!wide) return error;
    const std::wstring from(scratch.begin(), scratch.end());  // plain letters
    if (!MoveFileExW((prefix_ + from).c_str(), (prefix_ + *wide).c_str(),
                     MOVEFILE_REPLACE_EXISTING)) {
        return LastErrno();
    }
    return 0;
}

void Folder::Remove(const std::string& name) const {
    if (const auto wide = WideName(name)) DeleteFileW((prefix_ + *wide).c_str());
}

std::optional<std::vector<uint8_t> > Folder::ReadWhole(const std::string& name) const {
    const auto wide = WideName(name);
    if (!wide) return std::nullopt;
    const HANDLE file = CreateFileW((prefix_ + *wide).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            CloseHandle(file);
            return std::nullopt;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    CloseHandle(file);
    return bytes;
}

#else

std::optional<Folder> Folder::Open(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    return Folder(fd);
}

Folder::~Folder() {
    if (fd_ >= 0) ::close(fd_);
}

Folder::Folder(int fd) : fd_(fd), closeCannotFail_(qrplat::CloseReportsNoWriteErrors(fd)) {}

Folder::Folder(Folder&& other) noexcept : fd_(other.fd_), closeCannotFail_(other.closeCannotFail_) {
    other.fd_ = -1;
}

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        closeCannotFail_ = other.closeCannotFail_;
        other.fd_ = -1;
    }
    return *this;
}

bool Folder::IsOpen() const {
    return fd_ >= 0;
}

void Folder::RemoveLeftovers() const {
    qrplat::RemoveLeftoverScratchFiles(fd_);
}

int Folder::Replace(const std::string& name,
                    std::span<const std::span<const uint8_t> > parts) const {
    return qrplat::ReplaceFile(fd_, name, parts, {.closeCannotFail = closeCannotFail_});
}

int Folder::CreateScratch(std::string& name) const {
    return qrplat::CreateScratchFile(fd_, name);
}

int Folder::Rename(const std::string& scratch, const std::string& name) const {
    return ::renameat(fd_, scratch.c_str(), fd_, name.c_str()) == 0 ? 0 : errno;
}

void Folder::Remove(const std::string& name) const {
    ::unlinkat(fd_, name.c_str(), 0);
}

std::optional<std::vector<uint8_t> > Folder::ReadWhole(const std::string& name) const {
    const int fd = ::openat(fd_, name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return bytes;
}

#endif

}  // namespace qrcommon
