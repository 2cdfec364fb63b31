// The batch's files as the entries of one archive (see common/archive_file.h), in line order.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "common/archive_file.h"
#include "input/output_target.h"

namespace qrcli {

class OutputArchive final : public OutputTarget {
  public:
    // shown names the archive in messages.
    OutputArchive(std::unique_ptr<qrcommon::ArchiveFile> file, std::string shown)
        : file_(std::move(file)), shown_(std::move(shown)) {}

    std::optional<std::string> Write(const std::string& name,
                                     std::span<const uint8_t> bytes) override;
    // Entries are checked before they go in; nothing is read back.
    std::optional<std::vector<uint8_t>> Read(const std::string&) const override {
        return std::nullopt;
    }
    bool IsArchive() const override { return true; }
    // Made even with no entry, so that every run (every shard) leaves its archive.
    std::optional<std::string> Finish() override;

  private:
    std::unique_ptr<qrcommon::ArchiveFile> file_;
    std::string shown_;
};

}  // namespace qrcli
