// Files are replaced whole: the new bytes go to a scratch file beside the final name, which is
// renamed into place only once complete, so a failure, a kill or a power cut never leaves a
// part file under the final name nor spoils an older file there. Where the file system makes
// unnamed files (Linux's O_TMPFILE), the bytes go to one of those instead and it is named once
// whole: a kill before then leaves nothing at all.
//
// Scratch names are ".qrbatch-", letters, digits, dots or dashes, then ".part": no user names
// a file so, so a later run may remove what a killed writer left, and nothing else. A writer
// holds its scratch file locked while it writes, and a leftover must also be unchanged for a
// minute, so a file that another running program is still writing is never taken for one.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qrplat {

// A file of this name in a folder of outputs is a scratch file of ours.
bool IsScratchName(std::string_view name);

// A fresh scratch name that other programs cannot foresee.
std::string NewScratchName();

// How a leftover is told from a file still being written: at least this long unchanged.
inline constexpr int kLeftoverSeconds = 60;

#if defined(_WIN32)

// Removes the scratch files whose writers are gone in the folder of this path prefix (a folder
// with its separator, or empty for the current folder). A file still open is not removed.
void RemoveLeftoverScratchFiles(const std::string& folderPrefix);
// The same for a folder named in UTF-16, as the wide file calls take it.
void RemoveLeftoverScratchFiles(const std::wstring& folderPrefix);

#else

// A new scratch file in the folder (a descriptor of it, or AT_FDCWD), created exclusively and
// without following links, so that nothing already there is touched, and locked. Its name is
// put in name. -1 with errno when none can be made.
int CreateScratchFile(int folder, std::string& name);

// Removes the scratch files in the folder whose writers are gone. Anything else stays.
void RemoveLeftoverScratchFiles(int folder);

struct ReplaceOptions {
    // The permission bits, or -1 for 0666 less the umask.
    int mode = -1;
    // Wait until the bytes and the rename are on the disk (a settings file; not for batches).
    bool durable = false;
    // The folder's file system never reports a write's failure at close (see
    // CloseReportsNoWriteErrors), so a named file need not be told apart after one.
    bool closeCannotFail = false;
};

// Whether the folder's file system takes the bytes at write, so that close never fails for
// them: local disks and memory, not network or user-space file systems. Asked once a folder.
bool CloseReportsNoWriteErrors(int folder);

// Replaces (or creates) the file `name` of the folder with the parts, through an unnamed file or
// a scratch file.
// 0, or the errno of the step that failed; on failure the scratch file is gone and an older
// file of the name is as it was.
int ReplaceFile(int folder, const std::string& name,
                std::span<const std::span<const uint8_t> > parts, ReplaceOptions options = {});

// The same for a path: the file a link leads to is replaced in its own folder (the link stays),
// and what killed writers left in that folder goes first. 0, or the errno that stopped it.
int ReplaceFileAtPath(const std::string& path, std::span<const std::span<const uint8_t> > parts,
                      ReplaceOptions options = {});

// The file a chain of symbolic links ends at (the path itself when it is none), so that a file
// kept elsewhere through a link is replaced where it is and the link stays a link.
std::string ResolveLinks(std::string path);

// The folder part of a path ("." when it has none) and the name after the last "/".
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

#endif

}  // namespace qrplat
