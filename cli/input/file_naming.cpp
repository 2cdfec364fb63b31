#include "input/file_naming.h"

#include "input/safe_names.h"

namespace qrcli {

namespace {

std::optional<std::string> AsItIs(std::string_view base, const std::string& extension, bool hint,
                                  std::string& reason) {
    // --name safe makes a name of any text; the window's names have no such choice.
    const std::string_view safeHint = hint ? " (--name safe turns it into _)" : "";
    if (base.empty()) {
        reason = "an empty line cannot be a file name";
        return std::nullopt;
    }
    if (base == "." || base == "..") {
        reason = std::string("\"").append(base).append("\" cannot be a file name");
        return std::nullopt;
    }
    if (base.find('/') != std::string_view::npos) {
        reason = std::string("cannot be a file name: it contains \"/\"").append(safeHint);
        return std::nullopt;
    }
    if (base.find('\0') != std::string_view::npos) {
        reason = std::string("cannot be a file name: it contains a NUL byte").append(safeHint);
        return std::nullopt;
    }
    std::string name = std::string(base) + extension;
    if (name.size() > kMaxFileNameBytes) {
        reason = "cannot be a file name: " + std::to_string(name.size()) +
                 " bytes with the extension, more than the " + std::to_string(kMaxFileNameBytes) +
                 " a name can hold" + (hint ? " (--name safe shortens it)" : "");
        return std::nullopt;
    }
    return name;
}

}  // namespace

std::optional<std::string> FileNameFor(std::string_view base, size_t number,
                                       const BatchOptions& options, std::string& reason) {
    const std::string extension = ExtensionFor(options);
    switch (options.naming) {
        case Naming::kIndex:
            return AsItIs(NumberedName(options.nameFormat, number), extension, false, reason);
        case Naming::kSafe:
            if (base.empty()) break;
            return SafeFileName(base, kMaxFileNameBytes - extension.size()) + extension;
        case Naming::kLine:
            break;
    }
    return AsItIs(base, extension, !options.appNames, reason);
}

}  // namespace qrcli
