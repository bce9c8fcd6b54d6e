#pragma once
// Writing a file whole or not at all: an existing file is replaced only by a complete new one.

#include <filesystem>
#include <functional>
#include <string_view>

class QIODevice;

// Writes through write() into a new file beside path and renames it over path when all was
// written; false when the file could not be created or written, path then unchanged. The
// path is taken as the bytes the system knows, whatever their encoding; a read-only file is
// not replaced.
bool SaveFileWhole(const std::filesystem::path& path, const std::function<bool(QIODevice&)>& write);

bool SaveFileWhole(const std::filesystem::path& path, std::string_view content);
