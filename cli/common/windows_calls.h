// What every Windows body of the platform layer needs: names turned into the wide form the
// file calls take, and their errors told in errno's terms, so that messages read the same as
// on Linux.
#pragma once

#if defined(_WIN32)

#include <optional>
#include <string>

namespace qrcommon {

// The UTF-8 name as Windows takes it; nothing when it is not UTF-8.
std::optional<std::wstring> WideName(const std::string& name);

std::string NarrowName(const std::wstring& name);

// The errno that says what the Windows error code says (EIO for the rare others).
int ErrnoOf(unsigned long windowsError);

}  // namespace qrcommon

#endif
