#include "input/name_registry.h"

namespace qrcli {

namespace {

// 64-bit FNV-1a with a seed, so that the name and the text hashes are unrelated.
uint64_t Hash(std::string_view bytes, uint64_t seed) {
    uint64_t h = 0xcbf29ce484222325ULL ^ seed;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 0x100000001b3ULL;
    }
    h ^= h >> 29;  // FNV's low bits are weak; the table indexes with them
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 32;
    return h == 0 ? 1 : h;
}

}  // namespace

size_t NameRegistry::Claim(std::string_view name, std::string_view text, size_t line,
                           bool& sameText) {
    if (used_ + 1 > entries_.size() / 4 * 3) Grow();
    const uint64_t nameHash = Hash(name, 0);
    const auto textHash = static_cast<uint32_t>(Hash(text, 0x9e3779b97f4a7c15ULL));
    const size_t mask = entries_.size() - 1;
    for (size_t at = nameHash & mask;; at = (at + 1) & mask) {
        Entry& entry = entries_[at];
        if (entry.name == nameHash) {
            sameText = entry.text == textHash;
            return entry.line;
        }
        if (entry.name == 0) {
            entry = {nameHash, textHash, static_cast<uint32_t>(line)};
            ++used_;
            sameText = false;
            return 0;
        }
    }
}

void NameRegistry::Grow() {
    std::vector<Entry> old = std::move(entries_);
    entries_.assign(old.empty() ? 1024 : old.size() * 2, Entry{});
    const size_t mask = entries_.size() - 1;
    for (const Entry& entry : old) {
        if (entry.name == 0) continue;
        size_t at = entry.name & mask;
        while (entries_[at].name != 0) at = (at + 1) & mask;
        entries_[at] = entry;
    }
}

}  // namespace qrcli
