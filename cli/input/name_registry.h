// The file names a batch has given out, for namings where two different texts can arrive at
// one name (--name safe, or names from a TSV column). Keeps 16 bytes per name, no names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qrcli {

class NameRegistry {
  public:
    // Gives the name to the line unless an earlier line has it. When one has, returns that
    // line's number and whether its text was the same; otherwise 0.
    size_t Claim(std::string_view name, std::string_view text, size_t line, bool& sameText);

  private:
    struct Entry {
        uint64_t name = 0;  // a hash; 0 marks a free entry
        uint32_t text = 0;  // a hash of the text
        uint32_t line = 0;
    };
    void Grow();

    std::vector<Entry> entries_;
    size_t used_ = 0;
};

}  // namespace qrcli
