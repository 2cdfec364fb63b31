#include "input/output_archive.h"

namespace qrcli {

std::optional<std::string> OutputArchive::Write(const std::string& name,
                                                std::span<const uint8_t> bytes) {
    if (auto error = file_->Add(name, bytes)) {
        return "cannot add \"" + name + "\" to " + shown_ + ": " + *error;
    }
    return std::nullopt;
}

std::optional<std::string> OutputArchive::Finish() {
    if (auto error = file_->Finish()) return "cannot write " + shown_ + ": " + *error;
    return std::nullopt;
}

}  // namespace qrcli
