// The output folder, held open so that every file lands in it whatever happens to the path,
// and written through scratch files so that a failed or interrupted write never leaves a part
// file or spoils an older file of the same name.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/folder.h"
#include "input/output_target.h"

namespace qrcli {

class OutputFolder final : public OutputTarget {
  public:
    // Nothing, with the reason, when the path is not an existing folder.
    static std::unique_ptr<OutputFolder> Open(const std::string& path, std::string& error);
    // The folder held open, which it takes; path names it in messages. What killed writers
    // left in it is removed first.
    OutputFolder(qrcommon::Folder folder, std::string path);
    ~OutputFolder() override;
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    // Replaces the file of this name (no "/") with the bytes; the reason when it cannot.
    // Safe to call from several threads.
    std::optional<std::string> Write(const std::string& name,
                                     std::span<const uint8_t> bytes) override;

    // The whole file, or nothing when it cannot be read.
    std::optional<std::vector<uint8_t>> Read(const std::string& name) const override;
    size_t RefusedNames() const override { return refusedNames_; }

  private:
    qrcommon::Folder folder_;
    std::string path_;
    std::atomic<size_t> refusedNames_{0};
};

}  // namespace qrcli
