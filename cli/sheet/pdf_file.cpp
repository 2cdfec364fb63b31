#include "pdf_file.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "common/file_calls.h"
#include "images/deflater.h"

namespace qrsheet {

namespace {

// The level zlib uses by default: page streams are written once and kept.
constexpr int kStreamLevel = 6;

}  // namespace

std::unique_ptr<PdfFile> PdfFile::Create(qrcommon::Destination destination, std::string& error) {
    std::string scratch;
    int fd = -1;
    if (destination.IsStream()) {
        fd = qrcommon::DuplicateDescriptor(destination.stream.get());  // the file closes its own
    } else {
        destination.folder.RemoveLeftovers();
        fd = destination.folder.CreateScratch(scratch);
    }
    std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        if (fd >= 0) ::close(fd);
        if (!scratch.empty()) destination.folder.Remove(scratch);
        return nullptr;
    }
    std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
    return std::unique_ptr<PdfFile>(new PdfFile(file, std::move(destination), std::move(scratch)));
}

PdfFile::PdfFile(std::FILE* file, qrcommon::Destination destination, std::string scratch)
    : file_(file), destination_(std::move(destination)), scratch_(std::move(scratch)) {
    // The binary comment tells transfer programs the file is not text.
    Write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
}

PdfFile::~PdfFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
        if (!scratch_.empty()) destination_.folder.Remove(scratch_);
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
    std::vector<uint8_t> deflated;
    if (!qrcli::AppendDeflated({reinterpret_cast<const uint8_t*>(data.data()), data.size()},
                               kStreamLevel, deflated) &&
        error_ == 0) {
        error_ = ENOMEM;  // compression fails only for want of memory
    }
    const std::string_view packed(reinterpret_cast<const char*>(deflated.data()), deflated.size());
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
    const bool replacing = !scratch_.empty();
    if (error_ == 0 && replacing && qrcommon::SyncDescriptor(::fileno(file_)) != 0) error_ = errno;
    if (std::fclose(file_) != 0 && error_ == 0) error_ = errno;
    file_ = nullptr;
    if (!replacing) {
        return error_ == 0 ? std::nullopt : std::optional<std::string>(std::strerror(error_));
    }
    if (error_ == 0) error_ = destination_.folder.Rename(scratch_, destination_.name);
    if (error_ == 0) return std::nullopt;
    destination_.folder.Remove(scratch_);
    return std::string(std::strerror(error_));
}

}  // namespace qrsheet
