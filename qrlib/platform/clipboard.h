// The clipboard that receives enhanced metafiles: Win32's on Windows; elsewhere one of this
// process that another owner can hold open.
#pragma once

#include <cstdint>
#include <vector>

namespace qrplat {

// Empties the clipboard and gives it the metafile; false (and nothing changed) when the
// clipboard cannot be opened.
bool PlaceEnhancedMetafile(const std::vector<uint8_t>& emf);

#if !defined(_WIN32)
bool HoldClipboard();
void ReleaseClipboard();
const std::vector<uint8_t>& ClipboardMetafile();
#endif

}  // namespace qrplat
