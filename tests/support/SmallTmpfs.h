#pragma once
// A tmpfs of a few kilobytes mounted over a folder, seen by the calling thread only: the disk
// that fills up under a save. Mounting needs CAP_SYS_ADMIN (root, or root of a user namespace
// such as `unshare --user --map-root-user`); where it is missing the tests skip.

#include <QString>
#include <string>

class SmallTmpfs {
public:
    // Moves the calling thread into a mount namespace of its own, whose mounts do not
    // propagate back, and mounts a tmpfs of the given size over folder.
    SmallTmpfs(const QString& folder, int kibibytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    // Empty when the file system is mounted and takes files; otherwise why not.
    const std::string& Failure() const { return failure_; }

    // Writes a file of the given name until the file system is full; false when it could not
    // be filled up.
    bool FillUp(const QString& fillerName) const;

private:
    QByteArray folder_;
    bool mounted_ = false;
    std::string failure_;
};
