#pragma once
// Writing a file whole or not at all: an existing file is replaced only by a complete new one.

#include <QString>
#include <functional>
#include <string_view>

class QIODevice;

// Writes through write() into a temporary file beside path and renames it over path when all
// was written; false when the file could not be created or written, path then unchanged.
bool SaveFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write);

bool SaveFileWhole(const QString& path, std::string_view content);
