#include "input/name_registry.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "common/temporary_file.h"
#include "common/windows_names.h"

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

constexpr size_t kFlushBytes = 1 << 20;
constexpr size_t kHeaderBytes = 8;  // the two lengths

}  // namespace

TextStore::TextStore() : fd_(qrcommon::OpenTemporaryFile()) {}

TextStore::~TextStore() {
    if (fd_ >= 0) ::close(fd_);
}

void TextStore::Flush() {
    size_t done = 0;
    while (done < pending_.size()) {
        const long long n =
            qrcommon::WriteAt(fd_, pending_.data() + done, pending_.size() - done, flushed_ + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            full_ = true;  // the temporary folder is full: the rest stays in memory
            break;
        }
        done += static_cast<size_t>(n);
    }
    pending_.erase(0, done);
    flushed_ += done;
}

uint64_t TextStore::Add(std::string_view name, std::string_view text) {
    const uint64_t at = flushed_ + pending_.size();
    const uint32_t lengths[2] = {static_cast<uint32_t>(name.size()),
                                 static_cast<uint32_t>(text.size())};
    pending_.append(reinterpret_cast<const char*>(lengths), kHeaderBytes);
    pending_.append(name);
    pending_.append(text);
    if (fd_ >= 0 && !full_ && pending_.size() >= kFlushBytes) Flush();
    return at;
}

bool TextStore::Read(uint64_t at, uint64_t length, std::string& out) const {
    out.resize(length);
    if (at + length > flushed_ + pending_.size()) return false;
    size_t done = 0;
    while (at + done < flushed_ && done < length) {  // the part in the file
        const size_t want = static_cast<size_t>(std::min<uint64_t>(length, flushed_ - at) - done);
        const long long n = qrcommon::ReadAt(fd_, out.data() + done, want, at + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    if (done < length) pending_.copy(out.data() + done, length - done, at + done - flushed_);
    return true;
}

bool TextStore::Header(uint64_t at, uint32_t& nameLength, uint32_t& textLength) const {
    std::string header;
    if (!Read(at, kHeaderBytes, header)) return false;
    std::memcpy(&nameLength, header.data(), 4);
    std::memcpy(&textLength, header.data() + 4, 4);
    return true;
}

bool TextStore::NameIs(uint64_t at, std::string_view name) const {
    uint32_t nameLength = 0;
    uint32_t textLength = 0;
    std::string stored;
    return Header(at, nameLength, textLength) && nameLength == name.size() &&
           Read(at + kHeaderBytes, nameLength, stored) && stored == name;
}

bool TextStore::TextIs(uint64_t at, std::string_view text) const {
    uint32_t nameLength = 0;
    uint32_t textLength = 0;
    std::string stored;
    return Header(at, nameLength, textLength) && textLength == text.size() &&
           Read(at + kHeaderBytes + nameLength, textLength, stored) && stored == text;
}

uint64_t NameRegistry::NameHash(std::string_view name) {
    return Hash(name, 0);
}

uint32_t NameRegistry::TextHash(std::string_view text) {
    return static_cast<uint32_t>(Hash(text, 0x9e3779b97f4a7c15ULL)) >> 2;
}

size_t NameRegistry::Claim(std::string_view name, std::string_view text, size_t line,
                           bool& sameText, NameUse use) {
#if defined(_WIN32)
    // Names that differ only in case are one file there.
    const std::string key = qrcommon::WindowsNameKey(name);
    name = key;
#endif
    if (!entries_ || used_ + 1 > entries_->size() / 4 * 3) Grow();
    const uint64_t nameHash = NameHash(name);
    const uint32_t textHash = TextHash(text);
    const size_t mask = entries_->size() - 1;
    for (size_t at = nameHash & mask;; at = (at + 1) & mask) {
        const Entry entry = entries_->Get(at);
        // Equal hashes only suggest the same name and text; the stored bytes decide.
        if (entry.name == nameHash && store_.NameIs(entry.stored, name)) {
            const auto had = static_cast<NameUse>(entry.use);
            const bool onePart = (had == NameUse::kPart) != (use == NameUse::kPart);
            if (onePart && (had == NameUse::kSplitLine || use == NameUse::kSplitLine)) {
                sameText = false;
                return 0;
            }
            sameText = !onePart && entry.text == textHash && store_.TextIs(entry.stored, text);
            return entry.line;
        }
        if (entry.name == 0) {
            entries_->Set(at, {nameHash, textHash, static_cast<uint32_t>(use),
                               static_cast<uint32_t>(line), store_.Add(name, text)});
            ++used_;
            sameText = false;
            return 0;
        }
    }
}

void NameRegistry::Grow() {
    auto grown = std::make_unique<PagedTable<Entry>>(entries_ ? entries_->size() * 2 : 1024);
    // Only one of the two tables holds its pages in memory.
    if (entries_) entries_->KeepLittle();
    const size_t mask = grown->size() - 1;
    // Read in order, the old entries land in two runs of the new table that also go up in
    // order, so only a few pages of either are in memory at once.
    for (size_t old = 0; entries_ && old < entries_->size(); ++old) {
        const Entry entry = entries_->Get(old);
        if (entry.name == 0) continue;
        size_t at = entry.name & mask;
        while (grown->Get(at).name != 0) at = (at + 1) & mask;
        grown->Set(at, entry);
    }
    entries_ = std::move(grown);
}

}  // namespace qrcli
