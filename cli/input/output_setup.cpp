#include "input/output_setup.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "input/output_folder.h"

namespace qrcli {

namespace {

std::unique_ptr<OutputFolder> OpenFolder(const std::string& path, bool make, std::string& error) {
    if (make) {
        std::error_code failed;
        std::filesystem::create_directories(path, failed);
        if (failed) {
            error = "cannot create the output folder \"" + path + "\": " + failed.message();
            return nullptr;
        }
    }
    auto folder = OutputFolder::Open(path, error);
    if (!folder) {
        error = "output folder \"" + path + "\": " + error +
                (make ? "" : " (it must be an existing folder, or give --mkdir)");
    }
    return folder;
}

}  // namespace

std::optional<PreparedOutput> PrepareOutput(BatchOptions& options, std::string& error) {
    PreparedOutput prepared;
    if (options.outputKind == OutputKind::kStandardOutput) {
        prepared.target = std::make_unique<StandardOutput>(STDOUT_FILENO);
        return prepared;
    }
    std::string folder = options.output;
    if (options.outputKind == OutputKind::kFile) {
        std::error_code ignored;
        const std::filesystem::path path(options.output);
        if (std::filesystem::is_directory(path, ignored) || !path.has_filename()) {
            options.outputKind = OutputKind::kFolder;
        } else {
            prepared.fileName = path.filename().string();
            folder = path.has_parent_path() ? path.parent_path().string() : ".";
        }
    }
    prepared.target = OpenFolder(folder, options.makeFolder, error);
    if (!prepared.target) return std::nullopt;
    return prepared;
}

}  // namespace qrcli
