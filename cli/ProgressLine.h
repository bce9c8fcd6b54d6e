#pragma once
// A line on the terminal that tells how far a long computation has come: the share done, the
// rate and the time left. It is rewritten in place a few times a second, shows only once the
// work has taken a while, and is wiped when the work ends. It keeps within the terminal's
// width, as it is at each showing: a line that wrapped could no longer be rewritten.

#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>

class ProgressLine {
public:
    // unit names what is counted: "points"; terminalDescriptor is the terminal's, for its width.
    ProgressLine(std::ostream& terminal, std::string unit, int terminalDescriptor = STDERR_FILENO);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Show(size_t done, size_t total);

private:
    using Clock = std::chrono::steady_clock;

    std::ostream& terminal_;
    std::string unit_;
    int terminalDescriptor_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_{};
    size_t shownLength_ = 0;
};

// The progress as shown in width columns at most, after seconds of work: the share done, the
// rate and the time left, or as much of that as fits.
std::string ProgressText(size_t done, size_t total, double seconds, const std::string& unit,
                         size_t width);

// Whether the progress of a command belongs on its standard error: that is a terminal, and
// the command's output does not go to it (where the output itself shows the progress).
bool ShowsProgressOnStandardError(const std::ostream& out, const std::ostream& err);
