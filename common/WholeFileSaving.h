#pragma once
// Writing a file whole or not at all: an existing file is replaced only by a complete new one.
// What is no regular file (a FIFO, a device) cannot be replaced; it is written into, and so is
// a descriptor the process holds open, named as /dev/stdout or /dev/fd/N.

#include <filesystem>
#include <functional>
#include <string_view>

class QIODevice;

// Whether writing into a FIFO that no one reads yet waits for a reader, as cp and a shell's
// redirection do, or fails at once, as a window must that would otherwise freeze.
enum class FifoOpening { WaitForReader, FailWithoutReader };

// Writes through write() into a new file beside path and renames it over path when all was
// written; false when the file could not be created or written, path then unchanged. A file
// replaced passes its owner, group and mode on where this process may set them; a read-only
// one is not replaced. A link is followed and the file it leads to replaced; a link that leads
// nowhere is refused. An existing path that is no regular file (a FIFO, a device) is opened
// and written into directly; false when that fails. The path is taken as the bytes the system
// knows, whatever their encoding.
bool SaveFileWhole(const std::filesystem::path& path, const std::function<bool(QIODevice&)>& write,
                   FifoOpening fifo = FifoOpening::WaitForReader);

bool SaveFileWhole(const std::filesystem::path& path, std::string_view content,
                   FifoOpening fifo = FifoOpening::WaitForReader);
