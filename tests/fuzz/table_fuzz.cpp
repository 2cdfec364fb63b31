// The table readers on any bytes: as CSV, tab-separated and plain lines, and as an .xlsx
// file. Nothing may crash or hold more than the bounds allow; a CSV read without failures
// and written back with every field quoted reads as the same fields.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "input/delimited_reader.h"
#include "input/xlsx_reader.h"

namespace {

int FileOf(std::string_view bytes) {
    const int fd = ::memfd_create("table", 0);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        std::abort();
    }
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

std::vector<qrcli::TableRecord> Records(std::string_view bytes, qrcli::Delimiting kind) {
    const int fd = FileOf(bytes);
    qrcli::DelimitedReader reader(fd, kind);
    std::vector<qrcli::TableRecord> records;
    qrcli::TableRecord record;
    while (reader.Next(record)) {
        size_t held = 0;
        for (const auto& field : record.fields) {
            if (field.bytes.size() > qrcli::kHeldFieldBytes || field.bytes.size() > field.length) {
                std::abort();
            }
            held += field.bytes.size();
        }
        if (held > qrcli::kHeldRecordBytes || record.fields.size() > qrcli::kMaxFields) {
            std::abort();
        }
        records.push_back(record);
    }
    ::close(fd);
    return records;
}

// Every field quoted, quotes doubled: what any CSV writer may write for these records.
std::string Quoted(const std::vector<qrcli::TableRecord>& records) {
    std::string out;
    for (const auto& record : records) {
        for (size_t i = 0; i < record.fields.size(); ++i) {
            out += i == 0 ? "\"" : ",\"";
            for (const char c : record.fields[i].bytes)
                out += c == '"' ? "\"\"" : std::string(1, c);
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

bool Plain(const std::vector<qrcli::TableRecord>& records) {
    for (const auto& record : records) {
        if (!record.failure.empty()) return false;
        for (const auto& field : record.fields) {
            if (!field.Whole()) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto csv = Records(bytes, qrcli::Delimiting::kCsv);
    (void)Records(bytes, qrcli::Delimiting::kTsv);
    (void)Records(bytes, qrcli::Delimiting::kLines);
    // A leading byte-order mark is dropped on reading; one quoted at the start is a field's.
    if (Plain(csv) && !csv.empty()) {
        const auto again = Records(Quoted(csv), qrcli::Delimiting::kCsv);
        if (again.size() != csv.size()) std::abort();
        for (size_t r = 0; r < csv.size(); ++r) {
            if (again[r].fields.size() != csv[r].fields.size()) std::abort();
            for (size_t f = 0; f < csv[r].fields.size(); ++f) {
                if (again[r].fields[f].bytes != csv[r].fields[f].bytes) std::abort();
            }
        }
    }
    const int fd = FileOf(bytes);
    std::string error;
    if (auto sheet = qrcli::XlsxReader::Open(fd, "", error)) {
        qrcli::TableRecord record;
        while (sheet->Next(record)) {
        }
    }
    ::close(fd);
    return 0;
}
