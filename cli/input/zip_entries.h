// The zip container of an .xlsx file, read with bounds a hostile file cannot get past: the
// number of entries, each entry's size once inflated, and how far it was compressed. The bytes
// are counted as they are inflated, so a directory that understates a size changes nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace qrcli {

inline constexpr uint64_t kMaxZipEntries = 10000;
// Inflated more than this many times its compressed size, an entry larger than
// kRatioCheckedBytes is taken for a zip bomb.
inline constexpr uint64_t kMaxCompressionRatio = 256;
inline constexpr uint64_t kRatioCheckedBytes = 4 << 20;

class ZipArchive;

class ZipEntry {
  public:
    ~ZipEntry();
    ZipEntry(const ZipEntry&) = delete;
    ZipEntry& operator=(const ZipEntry&) = delete;

    // Up to size bytes into buffer: the count, 0 at the end, -1 with the reason in error.
    long Read(char* buffer, size_t size, std::string& error);
    uint64_t Size() const { return size_; }  // as the directory gives it
    uint64_t Done() const { return done_; }

  private:
    friend class ZipArchive;
    ZipEntry(void* file, std::string name, uint64_t size)
        : file_(file), name_(std::move(name)), size_(size) {}
    void* file_;  // a zip_file_t
    std::string name_;
    uint64_t size_;
    uint64_t done_ = 0;
};

class ZipArchive {
  public:
    // Reads the file of the descriptor (a pipe cannot be read as a zip), which stays open. Nothing,
    // with the reason, when it is no zip or holds more than kMaxZipEntries entries.
    static std::unique_ptr<ZipArchive> Open(int fd, std::string& error);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool Has(const std::string& name) const;
    // The entry to read, or nothing with the reason: missing, larger than maxBytes inflated,
    // or compressed beyond the ratio.
    std::unique_ptr<ZipEntry> OpenEntry(const std::string& name, uint64_t maxBytes,
                                        std::string& error);
    // The whole of a small entry.
    std::optional<std::string> ReadAll(const std::string& name, uint64_t maxBytes,
                                       std::string& error);
    uint64_t FileSize() const { return fileSize_; }

  private:
    explicit ZipArchive(void* zip, uint64_t fileSize) : zip_(zip), fileSize_(fileSize) {}
    void* zip_;  // a zip_t
    uint64_t fileSize_;
};

}  // namespace qrcli
