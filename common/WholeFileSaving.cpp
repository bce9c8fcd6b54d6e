#include "common/WholeFileSaving.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <charconv>
#include <optional>
#include <random>
#include <string>

#include "common/FileDescriptor.h"

namespace {

namespace fs = std::filesystem;

// Writes through write() into the open descriptor, which stays open, and flushes Qt's buffer:
// a write that fails only then (a full disk) is caught here.
bool WriteInto(int descriptor, const std::function<bool(QIODevice&)>& write) {
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        return false;
    }
    const bool written = write(file) && file.flush();
    file.close();
    return written;
}

// Once open, writes wait for the reader as usual.
bool MakeBlocking(int descriptor) {
    const int flags = fcntl(descriptor, F_GETFL);
    return flags != -1 && fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

// A FIFO or a device cannot be replaced by a file of the same name: it is written into, as cp
// does. O_NOCTTY: a terminal written to does not become the process's controlling one.
// O_NONBLOCK makes the open of a FIFO without a reader fail (ENXIO) instead of waiting.
bool WriteThrough(const fs::path& path, const std::function<bool(QIODevice&)>& write,
                  FifoOpening fifo) {
    const int waiting = fifo == FifoOpening::FailWithoutReader ? O_NONBLOCK : 0;
    FileDescriptor file(open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | waiting));
    return file.IsOpen() && MakeBlocking(file.Get()) && WriteInto(file.Get(), write) &&
           file.Close();
}

// The descriptor of this process that path names through /dev/stdout, /dev/fd/N or
// /proc/self/fd/N, or nothing. Such a name stands for what the shell redirected there: a
// terminal, a pipe, or a file opened for appending, which is written into through the
// descriptor (at its offset, in its mode) and never replaced by a new file.
std::optional<int> OwnDescriptorNamed(const fs::path& path) {
    std::error_code error;
    const fs::path ownDescriptors = fs::canonical("/proc/self/fd", error);
    if (error) {
        return std::nullopt;
    }
    fs::path hop = path;
    for (int links = 0; links < 40; ++links) {  // as many as the system follows
        const fs::path folder =
            fs::canonical(hop.has_parent_path() ? hop.parent_path() : ".", error);
        if (!error && folder == ownDescriptors) {
            const std::string name = hop.filename().native();
            int descriptor = -1;
            const auto [end, failure] =
                std::from_chars(name.data(), name.data() + name.size(), descriptor);
            return failure == std::errc() && end == name.data() + name.size()
                       ? std::optional(descriptor)
                       : std::nullopt;
        }
        if (!fs::is_symlink(hop, error)) {
            return std::nullopt;
        }
        const fs::path target = fs::read_symlink(hop, error);
        if (error) {
            return std::nullopt;
        }
        hop = target.is_absolute() ? target : hop.parent_path() / target;
    }
    return std::nullopt;
}

// A new file "<path>.XXXXXX" with six random letters, created with the given permissions less
// the umask; its name goes to temporary.
FileDescriptor CreateFileBeside(const fs::path& path, mode_t permissions, fs::path& temporary) {
    static constexpr std::string_view Letters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<size_t> letter(0, Letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = path.native() + '.';
        for (int i = 0; i < 6; ++i) {
            name += Letters[letter(random)];
        }
        FileDescriptor file(
            open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions));
        if (file.IsOpen() || errno != EEXIST) {
            temporary = name;
            return file;
        }
    }
    return FileDescriptor(-1);
}

// Gives the new file the owner, group and mode of the one it replaces, as far as this process
// may: the superuser any owner, others only a group they belong to. The set-user-ID and
// set-group-ID bits stay only with the owner and group they were set for. The mode comes last,
// as a change of owner clears those bits.
bool TakeOverOwnerAndMode(int descriptor, const struct stat& replaced) {
    mode_t mode = replaced.st_mode & 07777;
    if (fchown(descriptor, replaced.st_uid, replaced.st_gid) != 0) {
        mode &= ~mode_t{S_ISUID};
        if (fchown(descriptor, static_cast<uid_t>(-1), replaced.st_gid) != 0) {
            mode &= ~mode_t{S_ISGID};
        }
    }
    return fchmod(descriptor, mode) == 0;
}

// On disk before the rename, so that a crash leaves the old file or the new one, never an
// empty one. A file system that cannot sync (EINVAL) is no reason to fail.
bool SyncToDisk(int descriptor) {
    return fsync(descriptor) == 0 || errno == EINVAL;
}

// replaced: the file now at path, or nothing when there is none.
bool ReplaceWhole(const fs::path& path, const struct stat* replaced,
                  const std::function<bool(QIODevice&)>& write) {
    if (replaced && faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        return false;
    }
    fs::path temporary;
    // A file that is replaced takes the old one's owner and mode once written; until then only
    // this process's user may read it.
    FileDescriptor file = CreateFileBeside(path, replaced ? 0600 : 0666, temporary);
    if (!file.IsOpen()) {
        return false;
    }
    const bool saved = WriteInto(file.Get(), write) &&
                       (!replaced || TakeOverOwnerAndMode(file.Get(), *replaced)) &&
                       SyncToDisk(file.Get()) && file.Close() &&
                       rename(temporary.c_str(), path.c_str()) == 0;
    if (!saved) {
        unlink(temporary.c_str());
    }
    return saved;
}

}  // namespace

bool SaveFileWhole(const fs::path& path, const std::function<bool(QIODevice&)>& write,
                   FifoOpening fifo) {
    if (const std::optional<int> descriptor = OwnDescriptorNamed(path)) {
        return WriteInto(*descriptor, write);
    }
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0) {
        return errno == ENOENT && ReplaceWhole(path, nullptr, write);
    }
    // A link that leads nowhere is not written through: where the file would end up is not
    // what the user named.
    struct stat target {};
    if (stat(path.c_str(), &target) != 0) {
        return false;
    }
    if (!S_ISREG(target.st_mode)) {
        return WriteThrough(path, write, fifo);
    }
    if (!S_ISLNK(link.st_mode)) {
        return ReplaceWhole(path, &target, write);
    }
    // The file the link leads to is replaced; the link stays.
    std::error_code error;
    const fs::path linked = fs::canonical(path, error);
    return !error && ReplaceWhole(linked, &target, write);
}

bool SaveFileWhole(const fs::path& path, std::string_view content, FifoOpening fifo) {
    return SaveFileWhole(
        path,
        [content](QIODevice& file) {
            const auto size = static_cast<qint64>(content.size());
            return file.write(content.data(), size) == size;
        },
        fifo);
}
