#include "common/BoundedRead.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

std::optional<std::string> ReadAtMost(int descriptor, std::size_t limit) {
    std::string bytes;
    std::array<char, 16384> chunk;
    while (bytes.size() <= limit) {
        const ssize_t got =
            read(descriptor, chunk.data(), std::min(chunk.size(), limit + 1 - bytes.size()));
        if (got < 0 && errno == EAGAIN) {
            // A writer is there but has written nothing yet: wait for it, as for a pipe.
            pollfd ready{descriptor, POLLIN, 0};
            poll(&ready, 1, -1);
            continue;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        bytes.append(chunk.data(), static_cast<size_t>(got));
    }
    return bytes;
}
