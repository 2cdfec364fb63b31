// Where the images go: a folder (see output_folder.h) or standard output.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qrcli {

class OutputTarget {
  public:
    virtual ~OutputTarget() = default;
    // Writes one image under the name (no "/"); the reason when it cannot, naming the file.
    virtual std::optional<std::string> Write(const std::string& name,
                                             std::span<const uint8_t> bytes) = 0;
    // The image as written, for the check after writing; nothing when it cannot be read.
    virtual std::optional<std::vector<uint8_t>> Read(const std::string& name) const = 0;
    // How many names the file system refused for a character it does not allow (NTFS, FAT
    // and SMB shares refuse ":", "?", "*" and others).
    virtual size_t RefusedNames() const { return 0; }
    // One archive of entries: written from one thread in line order, and --verify checks the
    // bytes made, which are exactly what goes in.
    virtual bool IsArchive() const { return false; }
    // After the last line: an archive ends and moves to its name. The reason when it cannot,
    // and then nothing the run made is kept.
    virtual std::optional<std::string> Finish() { return std::nullopt; }
};

// The images one after another on a descriptor (standard output, a device, a pipe), names
// unused; from one thread at a time. shown names it in messages.
class StandardOutput final : public OutputTarget {
  public:
    StandardOutput(int fd, std::string shown) : fd_(fd), shown_(std::move(shown)) {}
    std::optional<std::string> Write(const std::string& name,
                                     std::span<const uint8_t> bytes) override;
    // A pipe cannot be read back: the bytes that last went out.
    std::optional<std::vector<uint8_t>> Read(const std::string& name) const override;

  private:
    int fd_;
    std::string shown_;
    std::vector<uint8_t> last_;
};

// Writes all the bytes to the descriptor, through short writes and interruptions.
bool WriteAll(int fd, std::span<const uint8_t> bytes);

}  // namespace qrcli
