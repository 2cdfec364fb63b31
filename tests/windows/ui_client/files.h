// Whole-file reading and writing and folder listing, by UTF-16 path.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui_client {

using Bytes = std::vector<unsigned char>;

std::optional<Bytes> ReadBytes(const std::wstring& path);
// Creates or truncates the file.
bool WriteBytes(const std::wstring& path, std::string_view bytes);
bool CopyInto(const std::wstring& from, const std::wstring& to);

bool IsFile(const std::wstring& path);
bool IsFolder(const std::wstring& path);
bool MakeFolder(const std::wstring& path);

std::wstring Join(const std::wstring& folder, const std::wstring& name);
// The names of the files (not folders) in the folder.
std::vector<std::wstring> FileNames(const std::wstring& folder);

}  // namespace ui_client
