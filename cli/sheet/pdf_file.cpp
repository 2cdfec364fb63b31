#include "pdf_file.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

namespace qrsheet {

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

void AppendNumber(std::string& out, double value, int decimals) {
    char buffer[64];
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0;  // no "-0"
    auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) end = buffer + std::snprintf(buffer, sizeof buffer, "0");
    if (decimals > 0) {
        while (end[-1] == '0') --end;
        if (end[-1] == '.') --end;
    }
    out.append(buffer, end);
}

std::unique_ptr<PdfFile> PdfFile::Create(const std::string& path, std::string& error) {
    // Made exclusively under a name of our own, so that no file already there is touched
    // until the new one is complete.
    const std::string folder = FolderOf(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = folder + "/.qrbatch-" + std::to_string(::getpid()) + "-" +
                                      std::to_string(attempt) + ".pdf.part";
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST) continue;
        if (fd < 0) break;
        std::FILE* file = ::fdopen(fd, "wb");
        if (file == nullptr) {
            ::close(fd);
            ::unlink(temporary.c_str());
            break;
        }
        std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
        return std::unique_ptr<PdfFile>(new PdfFile(file, temporary, path));
    }
    error = std::strerror(errno);
    return nullptr;
}

PdfFile::PdfFile(std::FILE* file, std::string temporary, std::string path)
    : file_(file), temporary_(std::move(temporary)), path_(std::move(path)) {
    // The binary comment tells transfer programs the file is not text.
    Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

PdfFile::~PdfFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
        ::unlink(temporary_.c_str());
    }
}

void PdfFile::Write(std::string_view bytes) {
    if (error_ != 0) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) error_ = errno;
    written_ += static_cast<long long>(bytes.size());
}

int PdfFile::Reserve() {
    offsets_.push_back(-1);
    return static_cast<int>(offsets_.size());
}

void PdfFile::WriteObject(int number, std::string_view body) {
    offsets_[static_cast<size_t>(number - 1)] = written_;
    Write(std::to_string(number) + " 0 obj\n");
    Write(body);
    Write("\nendobj\n");
}

void PdfFile::WriteStream(int number, std::string_view data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string packed(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                  6) != Z_OK &&
        error_ == 0) {
        error_ = ENOMEM;  // zlib fails only for want of memory here
    }
    packed.resize(size);
    offsets_[static_cast<size_t>(number - 1)] = written_;
    Write(std::to_string(number) + " 0 obj\n<< /Length " + std::to_string(packed.size()) +
          " /Filter /FlateDecode >>\nstream\n");
    Write(packed);
    Write("\nendstream\nendobj\n");
    // Each page leaves at once, so the file grows while the input is still coming.
    if (error_ == 0 && std::fflush(file_) != 0) error_ = errno;
}

std::optional<std::string> PdfFile::Finish(int catalog) {
    const long long table = written_;
    std::string xref = "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    for (const long long offset : offsets_) {
        if (offset < 0) return std::string("an object was never written");
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", offset);
        xref += entry;
    }
    xref += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root " +
            std::to_string(catalog) + " 0 R >>\nstartxref\n" + std::to_string(table) + "\n%%EOF\n";
    Write(xref);
    if (std::fflush(file_) != 0 && error_ == 0) error_ = errno;
    if (error_ == 0 && ::fsync(::fileno(file_)) != 0) error_ = errno;
    if (std::fclose(file_) != 0 && error_ == 0) error_ = errno;
    file_ = nullptr;
    if (error_ == 0 && ::rename(temporary_.c_str(), path_.c_str()) != 0) error_ = errno;
    if (error_ == 0) return std::nullopt;
    ::unlink(temporary_.c_str());
    return std::string(std::strerror(error_));
}

}  // namespace qrsheet
