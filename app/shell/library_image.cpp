#include "shell/library_image.h"

#include "toolkit/services.h"

extern "C" const unsigned char qr_library_image_begin[];
extern "C" const unsigned char qr_library_image_end[];

std::span<const unsigned char> LibraryImage() {
    return {qr_library_image_begin, qr_library_image_end};
}

void DeployLibraryImage(const std::string& path) {
    // Written only when nothing of that name exists, checked and created in one step.
    const std::span<const unsigned char> image = LibraryImage();
    services::WriteNewFile(path, image.data(), image.size(), services::NewFile::Program);
}
