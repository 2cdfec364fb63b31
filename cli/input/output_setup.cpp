#include "input/output_setup.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "common/destination.h"
#include "input/output_folder.h"

namespace qrcli {

namespace {

// --mkdir: the folder and every missing level above it.
bool MakeFolder(const std::string& path, std::string& error) {
    std::error_code failed;
    std::filesystem::create_directories(path, failed);
    if (failed) error = "cannot create the output folder \"" + path + "\": " + failed.message();
    return !failed;
}

std::unique_ptr<OutputFolder> OpenFolder(const std::string& path, bool make, std::string& error) {
    if (make && !MakeFolder(path, error)) return nullptr;
    auto folder = OutputFolder::Open(path, error);
    if (!folder) {
        error = "output folder \"" + path + "\": " + error +
                (make ? "" : " (it must be an existing folder, or give --mkdir)");
    }
    return folder;
}

// One code into the file -o names: replaced whole, or written into a device or pipe.
std::optional<PreparedOutput> PrepareFile(const BatchOptions& options, std::string& error) {
    const std::string folder = std::filesystem::path(options.output).parent_path().string();
    if (options.makeFolder && !folder.empty() && !MakeFolder(folder, error)) return std::nullopt;
    auto destination = qrcommon::OpenDestination(options.output, error);
    if (!destination) {
        error = "cannot write \"" + options.output + "\": " + error;
        return std::nullopt;
    }
    PreparedOutput prepared;
    if (destination->IsStream()) {
        prepared.target =
            std::make_unique<StandardOutput>(destination->stream.get(), destination->shown);
        prepared.stream = std::move(destination->stream);
        return prepared;
    }
    if (const auto wrong = qrcommon::WrongExtension(options.output, ExtensionFor(options).substr(1),
                                                    FormatName(options.format))) {
        error = *wrong + ", or choose the format with -t";
        return std::nullopt;
    }
    prepared.fileName = destination->name;
    prepared.target =
        std::make_unique<OutputFolder>(destination->folder.Release(), destination->folderPath);
    return prepared;
}

}  // namespace

std::optional<PreparedOutput> PrepareOutput(BatchOptions& options, std::string& error) {
    PreparedOutput prepared;
    if (options.outputKind == OutputKind::kStandardOutput) {
        prepared.target = std::make_unique<StandardOutput>(STDOUT_FILENO, "standard output");
        return prepared;
    }
    if (options.outputKind == OutputKind::kFile) {
        std::error_code ignored;
        const std::filesystem::path path(options.output);
        if (std::filesystem::is_directory(path, ignored) || !path.has_filename()) {
            options.outputKind = OutputKind::kFolder;
        } else {
            return PrepareFile(options, error);
        }
    }
    prepared.target = OpenFolder(options.output, options.makeFolder, error);
    if (!prepared.target) return std::nullopt;
    return prepared;
}

}  // namespace qrcli
