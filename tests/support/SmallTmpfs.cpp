#include "tests/support/SmallTmpfs.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QFile>
#include <array>
#include <cerrno>
#include <cstring>

namespace {

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Writes chunks of chunkSize bytes until a write fails; true when it failed for want of
// space.
bool WriteUntilFull(int descriptor, size_t chunkSize) {
    static const std::array<char, 4096> zeros{};
    while (true) {
        const ssize_t written = write(descriptor, zeros.data(), chunkSize);
        if (written < 0) {
            return errno == ENOSPC;
        }
    }
}

}  // namespace

SmallTmpfs::SmallTmpfs(const QString& folder, int kibibytes) : folder_(QFile::encodeName(folder)) {
    // Only the calling thread moves; unlike a new user namespace this works in a process that
    // already runs other threads.
    if (unshare(CLONE_NEWNS) != 0) {
        failure_ = SystemError("no mount namespace of our own (needs CAP_SYS_ADMIN)");
        return;
    }
    // The new namespace starts as a copy whose mounts may still propagate to the one it came
    // from; making everything private keeps the tmpfs out of the rest of the system.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        failure_ = SystemError("the mounts could not be made private");
        return;
    }
    const std::string options = "size=" + std::to_string(kibibytes) + "k,mode=0700";
    if (mount("tmpfs", folder_.constData(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        failure_ = SystemError("no tmpfs could be mounted");
        return;
    }
    mounted_ = true;
    const QByteArray probe = folder_ + "/probe";
    const int descriptor = open(probe.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        failure_ = SystemError("the tmpfs takes no files (the user is not mapped)");
        return;
    }
    close(descriptor);
    unlink(probe.constData());
}

SmallTmpfs::~SmallTmpfs() {
    if (mounted_) {
        umount2(folder_.constData(), MNT_DETACH);
    }
}

bool SmallTmpfs::FillUp(const QString& fillerName) const {
    const QByteArray path = folder_ + '/' + QFile::encodeName(fillerName);
    const int descriptor = open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        return false;
    }
    // Whole pages first, then single bytes until not even the last page has room.
    const bool full = WriteUntilFull(descriptor, 4096) && WriteUntilFull(descriptor, 1);
    close(descriptor);
    return full;
}
