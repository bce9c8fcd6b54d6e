#pragma once
// Reading an open file, pipe or FIFO to its end, but never more than a limit.

#include <cstddef>
#include <optional>
#include <string>

// The bytes of the descriptor up to limit + 1, so that a larger input shows as one; nothing when
// a read fails. A descriptor opened without blocking waits for its writer as a blocking one
// would.
std::optional<std::string> ReadAtMost(int descriptor, std::size_t limit);
