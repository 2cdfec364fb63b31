#include "input/output_setup.h"

#include <ctime>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "common/archive_file.h"
#include "common/destination.h"
#include "common/file_calls.h"
#include "common/path_names.h"
#include "input/output_archive.h"
#include "input/output_folder.h"

namespace qrcli {

namespace {

// --mkdir: the folder and every missing level above it.
bool MakeFolder(const std::string& path, std::string& error) {
    std::error_code failed;
    std::filesystem::create_directories(qrcommon::PathOfName(path), failed);
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
    const std::string folder =
        qrcommon::NameOfPath(qrcommon::PathOfName(options.output).parent_path());
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
        std::make_unique<OutputFolder>(std::move(destination->folder), destination->folderPath);
    return prepared;
}

// Every line's file into one archive: a file replaced whole at the end, or a stream.
std::optional<PreparedOutput> PrepareArchive(const BatchOptions& options, std::string& error) {
    const std::string folder =
        qrcommon::NameOfPath(qrcommon::PathOfName(options.output).parent_path());
    const char* kind = ArchiveName(options.archive);
    if (options.output != "-") {
        if (const auto wrong = qrcommon::WrongExtension(options.output, kind, kind)) {
            error = *wrong + ", or choose the format with --archive";
            return std::nullopt;
        }
    }
    if (options.makeFolder && !folder.empty() && !MakeFolder(folder, error)) return std::nullopt;
    auto destination = qrcommon::OpenDestination(options.output, error);
    if (destination && destination->IsStream() && qrcommon::IsTerminal(destination->stream.get())) {
        error = "an archive is not for a terminal; redirect it into a file or a program";
        destination.reset();
    }
    if (!destination) {
        error = "cannot write \"" + options.output + "\": " + error;
        return std::nullopt;
    }
    const std::string shown = destination->shown;
    qrcommon::ArchiveSettings settings;
    settings.kind = options.archive == ArchiveFormat::kZip ? qrcommon::ArchiveKind::kZip
                                                           : qrcommon::ArchiveKind::kTar;
    // PNG is deflated already; BMP, vectors and text shrink well.
    settings.store = options.format == ImageFormat::kPng;
    settings.modified = std::time(nullptr);
    auto file = qrcommon::ArchiveFile::Create(std::move(*destination), settings, error);
    if (!file) {
        error = "cannot write " + shown + ": " + error;
        return std::nullopt;
    }
    PreparedOutput prepared;
    prepared.target = std::make_unique<OutputArchive>(std::move(file), shown);
    return prepared;
}

}  // namespace

std::optional<PreparedOutput> PrepareOutput(BatchOptions& options, std::string& error) {
    if (options.outputKind == OutputKind::kArchive) return PrepareArchive(options, error);
    PreparedOutput prepared;
    if (options.outputKind == OutputKind::kStandardOutput) {
        prepared.target = std::make_unique<StandardOutput>(STDOUT_FILENO, "standard output");
        return prepared;
    }
    if (options.outputKind == OutputKind::kFile) {
        if (qrcommon::IsFolder(options.output) ||
            !qrcommon::PathOfName(options.output).has_filename()) {
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
