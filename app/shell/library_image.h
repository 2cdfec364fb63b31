#pragma once

#include <span>
#include <string>

// kLibraryImage: the complete file of the QR library as built with this program.
std::span<const unsigned char> LibraryImage();

// Writes the image to path unless something of that name already exists there; an existing
// file (or folder) is never replaced. Failures are silent: the first library call reports them.
void DeployLibraryImage(const std::string& path);
