// The file names a batch has given out, for namings where two different texts can arrive at
// one name (--name safe, or names from a TSV column). An entry is 24 bytes: hashes to find it
// fast, and where its name and text lie in a scratch file, against which a match of the hashes
// is confirmed byte for byte. The entries themselves page out to a scratch file of their own
// beyond a few megabytes, so memory stays flat at any number of names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "input/paged_table.h"

namespace qrcli {

// Names and texts appended one after another, read back by their offset: a temporary file
// (gone when the run ends), or memory where no temporary file can be made or it is full.
class TextStore {
  public:
    TextStore();
    ~TextStore();
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;

    uint64_t Add(std::string_view name, std::string_view text);
    // Whether the pair at the offset is this name and, asked for, this text. A pair that
    // cannot be read back counts as different, so a doubt never merges two lines.
    bool NameIs(uint64_t at, std::string_view name) const;
    bool TextIs(uint64_t at, std::string_view text) const;

  private:
    bool Read(uint64_t at, uint64_t length, std::string& out) const;
    bool Header(uint64_t at, uint32_t& nameLength, uint32_t& textLength) const;
    void Flush();

    int fd_ = -1;
    bool full_ = false;     // a write failed: no more go to the file
    uint64_t flushed_ = 0;  // bytes in the file; the rest are in pending_
    std::string pending_;
};

// What a name is to the line that claims it. A line split into linked symbols writes no file
// of its own name, only its parts' (NAME-1, NAME-2, ...).
enum class NameUse : uint8_t { kFile, kSplitLine, kPart };

class NameRegistry {
  public:
    // Gives the name to the line unless an earlier line has it. When one has, returns that
    // line's number and whether its text was the same (and the name of the same use);
    // otherwise 0. A part's name and a split line's own name do not meet: neither is written
    // by the other, so the name is given without a new owner.
    size_t Claim(std::string_view name, std::string_view text, size_t line, bool& sameText,
                 NameUse use = NameUse::kFile);

    // The hash that picks a name's entry; two names alike in it are still told apart.
    static uint64_t NameHash(std::string_view name);
    // The hash that filters texts, 30 bits; two texts alike in it are still told apart.
    static uint32_t TextHash(std::string_view text);

  private:
    struct Entry {
        uint64_t name = 0;       // a hash; 0 marks a free entry
        uint32_t text : 30 = 0;  // a hash of the text
        uint32_t use : 2 = 0;    // a NameUse
        uint32_t line = 0;
        uint64_t stored = 0;  // where the name and text are in store_
    };
    void Grow();

    std::unique_ptr<PagedTable<Entry>> entries_;
    size_t used_ = 0;
    TextStore store_;
};

}  // namespace qrcli
