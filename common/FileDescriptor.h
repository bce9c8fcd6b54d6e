#pragma once
// An open POSIX file descriptor that is closed when it goes out of scope.

#include <unistd.h>

#include <utility>

class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(other.Release()) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool IsOpen() const { return descriptor_ >= 0; }
    int Get() const { return descriptor_; }

    // Closes it now; false when the close reports an error, as a network file system does
    // for a write that failed late.
    bool Close() { return ::close(Release()) == 0; }

private:
    int Release() { return std::exchange(descriptor_, -1); }

    int descriptor_;
};
