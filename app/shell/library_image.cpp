#include "shell/library_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

extern "C" const unsigned char qr_library_image_begin[];
extern "C" const unsigned char qr_library_image_end[];

std::span<const unsigned char> LibraryImage() {
    return {qr_library_image_begin, qr_library_image_end};
}

void DeployLibraryImage(const std::string& path) {
    // O_EXCL makes "only when nothing of that name exists" one step, with no window in between.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0755);
    if (descriptor < 0) return;
    const std::span<const unsigned char> image = LibraryImage();
    std::size_t written = 0;
    bool complete = true;
    while (written < image.size()) {
        const ssize_t result = ::write(descriptor, image.data() + written, image.size() - written);
        if (result < 0 && errno == EINTR) continue;
        if (result <= 0) {
            complete = false;
            break;
        }
        written += std::size_t(result);
    }
    ::close(descriptor);
    // A half-written library would fail later in a confusing way; leave nothing instead.
    if (!complete) ::unlink(path.c_str());
}
