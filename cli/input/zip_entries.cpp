#include "input/zip_entries.h"

#include <algorithm>

#include <zip.h>

#include "common/file_calls.h"

namespace qrcli {

namespace {

std::string MiB(uint64_t bytes) {
    return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB";
}

}  // namespace

ZipEntry::~ZipEntry() {
    zip_fclose(static_cast<zip_file_t*>(file_));
}

long ZipEntry::Read(char* buffer, size_t size, std::string& error) {
    const zip_int64_t got = zip_fread(static_cast<zip_file_t*>(file_), buffer, size);
    if (got < 0) {
        error = "\"" + name_ +
                "\" in the .xlsx is damaged: " + zip_file_strerror(static_cast<zip_file_t*>(file_));
        return -1;
    }
    done_ += static_cast<uint64_t>(got);
    if (done_ > size_) {
        error = "\"" + name_ + "\" in the .xlsx inflates to more than the " +
                std::to_string(size_) + " bytes its directory gives";
        return -1;
    }
    return static_cast<long>(got);
}

std::unique_ptr<ZipArchive> ZipArchive::Open(int fd, std::string& error) {
    const auto size = qrcommon::RegularFileSize(fd);
    if (!size) {
        error = "an .xlsx is read from a file, not from a pipe or standard input";
        return nullptr;
    }
    // libzip closes the descriptor it is given; the caller keeps its own.
    const int own = qrcommon::DuplicateDescriptor(fd);
    int code = ZIP_ER_OPEN;
    zip_t* zip = own < 0 ? nullptr : zip_fdopen(own, ZIP_RDONLY, &code);
    if (zip == nullptr) {  // libzip has closed its descriptor
        zip_error_t why;
        zip_error_init_with_code(&why, code);
        error = std::string("not an .xlsx file (its zip container cannot be read: ") +
                zip_error_strerror(&why) + ")";
        zip_error_fini(&why);
        return nullptr;
    }
    const zip_int64_t entries = zip_get_num_entries(zip, 0);
    if (entries < 0 || static_cast<uint64_t>(entries) > kMaxZipEntries) {
        zip_discard(zip);
        error = "the .xlsx holds " + std::to_string(entries) + " entries, more than the " +
                std::to_string(kMaxZipEntries) + " read";
        return nullptr;
    }
    return std::unique_ptr<ZipArchive>(new ZipArchive(zip, *size));
}

ZipArchive::~ZipArchive() {
    zip_discard(static_cast<zip_t*>(zip_));  // read only: nothing to write back
}

bool ZipArchive::Has(const std::string& name) const {
    return zip_name_locate(static_cast<zip_t*>(zip_), name.c_str(), 0) >= 0;
}

std::unique_ptr<ZipEntry> ZipArchive::OpenEntry(const std::string& name, uint64_t maxBytes,
                                                std::string& error) {
    auto* zip = static_cast<zip_t*>(zip_);
    const zip_int64_t index = zip_name_locate(zip, name.c_str(), 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(zip, static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_SIZE) == 0 || (stat.valid & ZIP_STAT_COMP_SIZE) == 0) {
        error = "the .xlsx has no \"" + name + "\"";
        return nullptr;
    }
    if (stat.size > maxBytes) {
        error = "\"" + name + "\" in the .xlsx inflates to " + MiB(stat.size) + ", more than the " +
                MiB(maxBytes) + " read";
        return nullptr;
    }
    if (stat.size > kRatioCheckedBytes &&
        stat.size / std::max<uint64_t>(stat.comp_size, 1) > kMaxCompressionRatio) {
        error = "\"" + name + "\" in the .xlsx inflates " +
                std::to_string(stat.size / std::max<uint64_t>(stat.comp_size, 1)) +
                " times its compressed size, more than the " +
                std::to_string(kMaxCompressionRatio) + " of any spreadsheet (a zip bomb?)";
        return nullptr;
    }
    zip_file_t* file = zip_fopen_index(zip, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        error = "\"" + name + "\" in the .xlsx cannot be read: " + zip_strerror(zip);
        return nullptr;
    }
    return std::unique_ptr<ZipEntry>(new ZipEntry(file, name, stat.size));
}

std::optional<std::string> ZipArchive::ReadAll(const std::string& name, uint64_t maxBytes,
                                               std::string& error) {
    auto entry = OpenEntry(name, maxBytes, error);
    if (!entry) return std::nullopt;
    std::string bytes(entry->Size(), '\0');
    size_t at = 0;
    for (;;) {
        char piece[16384];
        const long got = entry->Read(piece, sizeof piece, error);
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        bytes.replace(at, static_cast<size_t>(got), piece, static_cast<size_t>(got));
        at += static_cast<size_t>(got);
    }
    bytes.resize(at);
    return bytes;
}

}  // namespace qrcli
