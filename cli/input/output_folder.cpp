#include "input/output_folder.h"

#include <cerrno>
#include <cstring>

namespace qrcli {

std::unique_ptr<OutputFolder> OutputFolder::Open(const std::string& path, std::string& error) {
    int failure = 0;
    auto folder = qrcommon::Folder::Open(path, failure);
    if (!folder) {
        error = failure == ENOTDIR ? "is not a folder" : std::strerror(failure);
        return nullptr;
    }
    return std::make_unique<OutputFolder>(std::move(*folder), path);
}

OutputFolder::OutputFolder(qrcommon::Folder folder, std::string path)
    : folder_(std::move(folder)), path_(std::move(path)) {
    folder_.RemoveLeftovers();
}

OutputFolder::~OutputFolder() = default;

std::optional<std::string> OutputFolder::Write(const std::string& name,
                                               std::span<const uint8_t> bytes) {
    const std::span<const uint8_t> parts[] = {bytes};
    const int error = folder_.Replace(name, parts);
    if (error == 0) return std::nullopt;
    // The scratch name is plain letters: a refusal of the rename is about the final name.
    if (error == EINVAL || error == EILSEQ) ++refusedNames_;
    const std::string shown =
        path_ == "." ? name : path_ + (path_.ends_with('/') ? "" : "/") + name;
    return "cannot create the file \"" + shown + "\": " + std::strerror(error);
}

std::optional<std::vector<uint8_t>> OutputFolder::Read(const std::string& name) const {
    return folder_.ReadWhole(name);
}

}  // namespace qrcli
