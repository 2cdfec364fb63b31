// A folder held open while files are made in it by name, so that every file lands in the
// folder first opened whatever later happens to its path: on Linux through a descriptor of it,
// on Windows through a handle that keeps it from being renamed or removed. Files are replaced
// whole, through scratch files (see scratch_file.h), which a later run removes when their writer
// is gone: on Linux a writer holds a lock on its scratch file, on Windows it holds the file open
// without sharing.
//
// Errors are errno values on both systems, so that messages read alike.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qrcommon {

class Folder {
  public:
    Folder() = default;
    // The folder of the path, or nothing with the errno (ENOTDIR for a file).
    static std::optional<Folder> Open(const std::string& path, int& error);
    ~Folder();
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool IsOpen() const;

    // Removes the scratch files whose writers are gone. Anything else stays.
    void RemoveLeftovers() const;

    // Replaces (or creates) the file `name` with the parts: 0, or the errno of the step that
    // failed (EINVAL or EILSEQ for a name the system refuses); an older file of the name is
    // then as it was.
    int Replace(const std::string& name, std::span<const std::span<const uint8_t> > parts) const;

    // A new scratch file, created exclusively, held as a writer's, open for writing: its
    // descriptor, with its name put in name; -1 with errno when none can be made.
    int CreateScratch(std::string& name) const;

    // Gives the closed scratch file its final name, replacing a file there: 0 or the errno.
    int Rename(const std::string& scratch, const std::string& name) const;

    // Removes the file, when it can.
    void Remove(const std::string& name) const;

    // The whole file, or nothing when it cannot be read.
    std::optional<std::vector<uint8_t> > ReadWhole(const std::string& name) const;

  private:
#if defined(_WIN32)
    Folder(std::wstring prefix, void* handle) : prefix_(std::move(prefix)), handle_(handle) {}
    std::wstring prefix_;     // the folder's path with its separator
    void* handle_ = nullptr;  // the folder itself, shared for everything but its removal
#else
    explicit Folder(int fd);
    int fd_ = -1;
    // Its file system takes the bytes at write, so a close needs no second look.
    bool closeCannotFail_ = false;
#endif
};

}  // namespace qrcommon
