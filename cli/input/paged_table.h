// A table of fixed-size records, all zero at first, that keeps at most a few megabytes in
// memory: pages beyond that live in an unnamed temporary file and come back when used. A
// batch's name table grows with its lines; this keeps its memory flat however many there are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace qrcli {

// Pages of kPageBytes in memory frames, written out and read back as needed (second chance:
// a page used since the clock hand last passed it stays).
class PageFile {
  public:
    static constexpr size_t kPageBytes = 4096;

    // At most framesInMemory pages are in memory, each taken only when first used; where no
    // temporary file can be made or the file cannot take a page, every page stays in memory.
    explicit PageFile(size_t pages, size_t framesInMemory);
    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    // The page's bytes, valid until the next call. Throws std::runtime_error when a page that
    // was written out cannot be read back.
    uint8_t* Page(size_t page, bool willChange);
    // Writes out every page in memory and keeps at most this many frames from now on (pages
    // the file cannot take stay).
    void Shrink(size_t framesInMemory);

  private:
    struct Frame {
        size_t page = 0;
        bool changed = false;
        bool used = false;
    };
    size_t FreeFrame();
    bool WriteOut(const Frame& frame, const uint8_t* bytes);

    std::vector<int32_t> frameOf_;  // by page; -1: not in memory
    std::vector<bool> inFile_;      // by page: written out at least once
    std::vector<Frame> frames_;
    std::vector<std::vector<uint8_t>> bytes_;  // by frame
    size_t framesInMemory_;
    size_t hand_ = 0;
    int fd_ = -1;
    bool noFile_ = false;  // no file, or it failed: nothing more is written out
};

template <typename Record>
class PagedTable {
    static_assert(std::is_trivially_copyable_v<Record>);
    static constexpr size_t kPerPage = PageFile::kPageBytes / sizeof(Record);

  public:
    // 2 MiB of records stay in memory.
    static constexpr size_t kFramesInMemory = 512;
    static constexpr size_t kFramesWhileRead = 4;

    explicit PagedTable(size_t records)
        : size_(records), pages_((records + kPerPage - 1) / kPerPage, kFramesInMemory) {}

    size_t size() const { return size_; }
    // From now on read in order, a page at a time (the old table while a new one is filled).
    void KeepLittle() { pages_.Shrink(kFramesWhileRead); }

    Record Get(size_t at) {
        Record record;
        std::memcpy(&record, Where(at, false), sizeof(Record));
        return record;
    }
    void Set(size_t at, const Record& record) {
        std::memcpy(Where(at, true), &record, sizeof(Record));
    }

  private:
    uint8_t* Where(size_t at, bool willChange) {
        return pages_.Page(at / kPerPage, willChange) + at % kPerPage * sizeof(Record);
    }

    size_t size_;
    PageFile pages_;
};

}  // namespace qrcli
