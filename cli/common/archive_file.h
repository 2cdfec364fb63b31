// One archive of the batch's files, written front to back as the entries come: nothing of an
// entry is kept once it is out, so an archive of any number of files takes flat memory (a zip
// keeps its central directory, a few dozen bytes an entry, for the end). A file is made
// beside its final name and moved there only when whole, so a failure or a kill leaves no
// archive under the name and an older one there as it was; a device, a pipe or standard
// output is written into as the entries come.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/destination.h"

struct archive;

namespace qrcommon {

enum class ArchiveKind { kZip, kTar };

// "zip" or "tar": the extension and the word for messages.
const char* ArchiveKindName(ArchiveKind kind);

// A zip marks its names as UTF-8, so that every reader shows them as written; a tar holds any
// bytes, as a Linux folder does. Why a zip refuses a name that is not UTF-8:
inline constexpr const char* kZipNamesAreUtf8 =
    "a zip archive holds names in UTF-8, and this one is not (a tar archive holds any bytes)";
bool IsUtf8(std::string_view text);

struct ArchiveSettings {
    ArchiveKind kind = ArchiveKind::kTar;
    // Zip entries stored as they are rather than deflated, for files that are compressed
    // already (PNG).
    bool store = false;
    std::time_t modified = 0;  // every entry's time
};

class ArchiveFile {
  public:
    // Nothing, with the reason, when no archive can be made there.
    static std::unique_ptr<ArchiveFile> Create(Destination destination, ArchiveSettings settings,
                                               std::string& error);
    ~ArchiveFile();  // an archive not finished is removed
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // Adds a file of the name and bytes. The reason when it cannot; after a failure of the
    // archive itself (a full disk) every later entry fails too and Finish reports it.
    std::optional<std::string> Add(const std::string& name, std::span<const uint8_t> bytes);
    size_t Entries() const { return entries_; }

    // Ends the archive; a file then moves to its name. The reason when it cannot.
    std::optional<std::string> Finish();
    // Gives the archive up: a file is removed and an older one of the name stays.
    void Abandon();

  private:
    ArchiveFile(Destination destination, std::string scratch, int fd);
    std::optional<std::string> Broken(const std::string& reason);

    Destination destination_;
    std::string scratch_;  // the name it has until it is whole; empty for a stream
    OwnedFd fd_;
    ArchiveSettings settings_;
    struct archive* writer_ = nullptr;
    std::string broken_;  // why the archive cannot be finished
    size_t entries_ = 0;
};

}  // namespace qrcommon
