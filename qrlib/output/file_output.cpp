#include "file_output.h"

#include <algorithm>
#include <set>
#include <string>

#include "scratch_file.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>
#endif

namespace qrlib {

void DeleteExisting(const char* path) {
    if (path == nullptr) return;
#if defined(_WIN32)
    DeleteFileA(path);
#else
    unlink(path);
#endif
}

namespace {

// The folder part of the path with its separator, or empty for the current folder.
std::string FolderPrefix(const std::string& path) {
#if defined(_WIN32)
    const size_t cut = path.find_last_of("/\\:");
#else
    const size_t cut = path.find_last_of('/');
#endif
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

// Leftovers of killed writers are looked for once a folder in a process: a batch writes many
// files into one folder. The library's calls come one at a time, as its state is process-wide.
bool FirstWriteInto(const std::string& folder) {
    static std::set<std::string> seen;
    return seen.insert(folder).second;
}

}  // namespace

#if defined(_WIN32)

bool WriteWholeFile(const char* path, std::span<const std::span<const uint8_t>> parts) {
    if (path == nullptr || *path == '\0') return false;
    const std::string folder = FolderPrefix(path);
    if (FirstWriteInto(folder)) qrplat::RemoveLeftoverScratchFiles(folder);
    // Only a file this call creates is ever written: an existing one makes it draw a new name.
    // It is not shared while open, so no one removes it as a leftover.
    std::string temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = folder + qrplat::NewScratchName();
        file = CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        if (error != ERROR_SUCCESS && error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (const auto& part : parts) {
        size_t done = 0;
        while (ok && done < part.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(part.size() - done, 1U << 30));
            ok = WriteFile(file, part.data() + done, chunk, &written, nullptr) && written == chunk;
            done += written;
        }
    }
    ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

#else

bool WriteWholeFile(const char* path, std::span<const std::span<const uint8_t>> parts) {
    if (path == nullptr || *path == '\0') return false;
    const std::string prefix = FolderPrefix(path);
    const int folder =
        open(prefix.empty() ? "." : prefix.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    if (FirstWriteInto(prefix)) qrplat::RemoveLeftoverScratchFiles(folder);
    const std::string name = std::string(path).substr(prefix.size());
    const bool ok = !name.empty() && qrplat::ReplaceFile(folder, name, parts) == 0;
    close(folder);
    return ok;
}

#endif

}  // namespace qrlib
