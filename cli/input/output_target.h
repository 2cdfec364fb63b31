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
    // Writes one image under the name (no "/"); the reason when it cannot.
    virtual std::optional<std::string> Write(const std::string& name,
                                             std::span<const uint8_t> bytes) = 0;
    // The image as written, for the check after writing; nothing when it cannot be read.
    virtual std::optional<std::vector<uint8_t>> Read(const std::string& name) const = 0;
};

// The images one after another on a descriptor, names unused; from one thread at a time.
class StandardOutput final : public OutputTarget {
  public:
    explicit StandardOutput(int fd) : fd_(fd) {}
    std::optional<std::string> Write(const std::string& name,
                                     std::span<const uint8_t> bytes) override;
    // A pipe cannot be read back: the bytes that last went out.
    std::optional<std::vector<uint8_t>> Read(const std::string& name) const override;

  private:
    int fd_;
    std::vector<uint8_t> last_;
};

// Writes all the bytes to the descriptor, through short writes and interruptions.
bool WriteAll(int fd, std::span<const uint8_t> bytes);

}  // namespace qrcli
