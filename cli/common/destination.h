// Where a file named on the command line goes. A regular file (or none yet) is replaced whole in
// its folder, through a scratch file; a symbolic link's target is replaced and the link stays.
// A device, a pipe or the file that standard output already is are written into as they are,
// never replaced: "-o /dev/null" and "-o /dev/stdout" do what users expect.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/folder.h"

namespace qrcommon {

// A descriptor closed with its owner.
class OwnedFd {
  public:
    OwnedFd() = default;
    explicit OwnedFd(int fd, bool owned = true) : fd_(fd), owned_(owned) {}
    ~OwnedFd();
    OwnedFd(OwnedFd&& other) noexcept;
    OwnedFd& operator=(OwnedFd&& other) noexcept;
    int get() const { return fd_; }
    // Gives up ownership; the caller closes it.
    int Release();

  private:
    int fd_ = -1;
    bool owned_ = true;
};

struct Destination {
    // Written into as it is (stream.get() >= 0), or replaced: the file `name` of `folder`.
    OwnedFd stream;
    Folder folder;
    std::string name;
    std::string folderPath;  // the folder's path, for messages
    std::string shown;       // how messages name it: "standard output", or the path in quotes

    bool IsStream() const { return stream.get() >= 0; }
};

// "-" is standard output. Nothing, with the reason, when the path cannot take a file: a pipe
// nobody reads is reported at once instead of waited on.
std::optional<Destination> OpenDestination(const std::string& path, std::string& error);

// The usage error for a named file whose extension is not that of the format written (a PNG
// named code.jpg misleads every program that opens it); nothing when it fits or has none.
std::optional<std::string> WrongExtension(const std::string& path, std::string_view extension,
                                          std::string_view format);

}  // namespace qrcommon
