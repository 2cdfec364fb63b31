#include "common/archive_file.h"

#include <cerrno>
#include <clocale>
#include <cstring>

#include <archive.h>
#include <archive_entry.h>
#include <locale.h>
#include <unistd.h>

#include "common/file_calls.h"
#if defined(_WIN32)
#include "common/windows_calls.h"
#endif

namespace qrcommon {

bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80         ? 1
                              : (c >> 5) == 6  ? 2
                              : (c >> 4) == 14 ? 3
                              : (c >> 3) == 30 ? 4
                                               : 0;
        if (length == 0 || (length == 2 && c < 0xC2) || (length == 4 && c > 0xF4) ||
            i + length > text.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        }
        const auto next = length > 1 ? static_cast<unsigned char>(text[i + 1]) : 0;
        // Overlong forms, surrogates and code points past U+10FFFF.
        if ((c == 0xE0 && next < 0xA0) || (c == 0xED && next > 0x9F) ||
            (c == 0xF0 && next < 0x90) || (c == 0xF4 && next > 0x8F)) {
            return false;
        }
        i += length;
    }
    return true;
}

namespace {

#if defined(_WIN32)

// Windows has no UTF-8 character set for a thread to take: the writer is given names in
// UTF-16, which it turns into the archive's UTF-8 itself. The tar writer also wants each name
// in the process's character set, which is that of the system's code page once asked for (936
// on Chinese Windows) and Latin-1 under "C": a name outside it is refused for its entry alone.
// Asked for when the first archive is made, before any worker thread runs.
class Utf8Names {
  public:
    Utf8Names() {
        static const bool systemCharacters = std::setlocale(LC_CTYPE, "") != nullptr;
        (void)systemCharacters;
    }
};

void SetEntryName(struct archive_entry* entry, const std::string& name) {
    if (const auto wide = WideName(name)) {
        archive_entry_copy_pathname_w(entry, wide->c_str());
    } else {
        archive_entry_set_pathname(entry, name.c_str());  // a tar name of other bytes
    }
}

#else

// The archive writer reads names in the calling thread's character set. Under UTF-8 a name of
// UTF-8 goes in as the plain UTF-8 every reader takes; under the "C" of a program that never
// sets its locale, it would be marked as binary, which GNU tar warns about.
class Utf8Names {
  public:
    Utf8Names() {
        static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
        if (utf8 != nullptr) previous_ = ::uselocale(utf8);
    }
    ~Utf8Names() {
        if (previous_ != nullptr) ::uselocale(previous_);
    }
    Utf8Names(const Utf8Names&) = delete;
    Utf8Names& operator=(const Utf8Names&) = delete;

  private:
    locale_t previous_ = nullptr;
};

void SetEntryName(struct archive_entry* entry, const std::string& name) {
    archive_entry_set_pathname(entry, name.c_str());
}

#endif

std::string WriterError(struct archive* writer) {
    const char* text = archive_error_string(writer);
    const int code = archive_errno(writer);
    std::string reason = text != nullptr && *text != '\0' ? text : "";
    // "Write error" alone does not say that the disk is full.
    const std::string cause = code > 0 ? std::strerror(code) : "";
    if (reason.empty()) return cause.empty() ? "the archive cannot be written" : cause;
    if (!cause.empty() && reason.find(cause) == std::string::npos) reason += ": " + cause;
    return reason;
}

}  // namespace

const char* ArchiveKindName(ArchiveKind kind) {
    return kind == ArchiveKind::kZip ? "zip" : "tar";
}

std::unique_ptr<ArchiveFile> ArchiveFile::Create(Destination destination, ArchiveSettings settings,
                                                 std::string& error) {
    std::string scratch;
    int fd = -1;
    if (destination.IsStream()) {
        fd = DuplicateDescriptor(destination.stream.get());  // the archive closes its own
    } else {
        destination.folder.RemoveLeftovers();
        fd = destination.folder.CreateScratch(scratch);
    }
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    std::unique_ptr<ArchiveFile> file(new ArchiveFile(std::move(destination), scratch, fd));
    file->settings_ = settings;
    const Utf8Names names;
    struct archive* writer = archive_write_new();
    file->writer_ = writer;
    if (writer == nullptr) {
        error = std::strerror(ENOMEM);
        return nullptr;
    }
    const bool zip = settings.kind == ArchiveKind::kZip;
    int status = zip ? archive_write_set_format_zip(writer)
                     // pax only where ustar cannot hold a name or a size: plain tar otherwise.
                     : archive_write_set_format_pax_restricted(writer);
    if (status == ARCHIVE_OK && zip) {
        status = archive_write_set_options(
            writer, settings.store ? "zip:compression=store,zip:hdrcharset=UTF-8"
                                   : "zip:compression=deflate,zip:hdrcharset=UTF-8");
    }
    // A file ends where its last entry does; a tape's record padding helps nobody here.
    if (status == ARCHIVE_OK && !file->scratch_.empty()) {
        status = archive_write_set_bytes_in_last_block(writer, 1);
    }
    if (status == ARCHIVE_OK) status = archive_write_open_fd(writer, fd);
    if (status != ARCHIVE_OK) {
        error = WriterError(writer);
        return nullptr;
    }
    return file;
}

ArchiveFile::ArchiveFile(Destination destination, std::string scratch, int fd)
    : destination_(std::move(destination)), scratch_(std::move(scratch)), fd_(fd) {}

ArchiveFile::~ArchiveFile() {
    Abandon();
}

void ArchiveFile::Abandon() {
    if (writer_ != nullptr) {
        const Utf8Names names;
        archive_write_fail(writer_);  // no end written: a reader sees the archive cut short
        archive_write_free(writer_);
        writer_ = nullptr;
    }
    fd_ = OwnedFd();
    if (!scratch_.empty()) {
        destination_.folder.Remove(scratch_);
        scratch_.clear();
    }
}

std::optional<std::string> ArchiveFile::Broken(const std::string& reason) {
    broken_ = reason;
    return broken_;
}

std::optional<std::string> ArchiveFile::Add(const std::string& name,
                                            std::span<const uint8_t> bytes) {
    if (!broken_.empty()) return broken_;
    if (writer_ == nullptr) return std::string("the archive is closed");
    const bool zip = settings_.kind == ArchiveKind::kZip;
    if (zip && !IsUtf8(name)) {
        return std::string(
            "a zip archive holds names in UTF-8, and this one is not (a tar "
            "archive holds any bytes)");
    }
    const Utf8Names names;
    struct archive_entry* entry = archive_entry_new();
    if (entry == nullptr) return Broken(std::strerror(ENOMEM));
    SetEntryName(entry, name);
    archive_entry_set_filetype(entry, AE_IFREG);
    archive_entry_set_perm(entry, 0644);
    archive_entry_set_size(entry, static_cast<la_int64_t>(bytes.size()));
    archive_entry_set_mtime(entry, settings_.modified, 0);
    const int header = archive_write_header(writer_, entry);
    archive_entry_free(entry);
    if (header == ARCHIVE_FATAL) return Broken(WriterError(writer_));
    if (header < ARCHIVE_WARN) return WriterError(writer_);  // this entry only
    size_t done = 0;
    while (done < bytes.size()) {
        const la_ssize_t n = archive_write_data(writer_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return Broken(WriterError(writer_));
        done += static_cast<size_t>(n);
    }
    if (archive_write_finish_entry(writer_) == ARCHIVE_FATAL) return Broken(WriterError(writer_));
    ++entries_;
    return std::nullopt;
}

std::optional<std::string> ArchiveFile::Finish() {
    if (writer_ == nullptr) return std::string("the archive is closed");
    const Utf8Names names;
    if (broken_.empty() && archive_write_close(writer_) != ARCHIVE_OK) {
        broken_ = WriterError(writer_);
    }
    archive_write_free(writer_);
    writer_ = nullptr;
    const bool replacing = !scratch_.empty();
    int error = 0;
    if (broken_.empty() && replacing && SyncDescriptor(fd_.get()) != 0) error = errno;
    // Some file systems report a failed write only when the file is closed.
    if (::close(fd_.Release()) != 0 && error == 0 && errno != EINTR) error = errno;
    if (broken_.empty() && error != 0) broken_ = std::strerror(error);
    if (broken_.empty() && replacing) {
        if (const int failure = destination_.folder.Rename(scratch_, destination_.name))
            broken_ = std::strerror(failure);
    }
    if (broken_.empty()) {
        scratch_.clear();
        return std::nullopt;
    }
    Abandon();
    return broken_;
}

}  // namespace qrcommon
