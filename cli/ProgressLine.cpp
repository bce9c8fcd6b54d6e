#include "cli/ProgressLine.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "common/ReportFormat.h"

namespace {

// A short computation says nothing.
constexpr std::chrono::seconds QuietStart{1};
constexpr std::chrono::milliseconds Interval{250};

std::string Duration(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    return whole >= 3600
               ? FormatReport("%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60)
               : FormatReport("%lld:%02lld", whole / 60, whole % 60);
}

// Columns of a terminal that does not say; the last column stays free, as writing into it
// makes some terminals wrap.
constexpr size_t UsualWidth = 80;

size_t UsableWidth(int terminalDescriptor) {
    winsize size{};
    const bool known = ioctl(terminalDescriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0;
    return (known ? size.ws_col : UsualWidth) - 1;
}

}  // namespace

std::string ProgressText(size_t done, size_t total, double seconds, const std::string& unit,
                         size_t width) {
    const double rate = static_cast<double>(done) / seconds;
    const std::string share =
        FormatReport("%5.1f %%", 100.0 * static_cast<double>(done) / static_cast<double>(total));
    const std::string left =
        rate > 0 ? ", " + Duration(static_cast<double>(total - done) / rate) + " left" : "";
    // The longest form that fits, down to the share alone cut to the width.
    const std::string forms[] = {
        share + FormatReport(" of %zu %s, %.0f %s/s", total, unit.c_str(), rate, unit.c_str()) +
            left,
        share + left,
        share,
    };
    for (const std::string& form : forms) {
        if (form.size() <= width) {
            return form;
        }
    }
    return share.substr(0, width);
}

ProgressLine::ProgressLine(std::ostream& terminal, std::string unit, int terminalDescriptor)
    : terminal_(terminal), unit_(std::move(unit)), terminalDescriptor_(terminalDescriptor) {}

ProgressLine::~ProgressLine() {
    if (shownLength_ > 0) {
        const size_t wiped = std::min(shownLength_, UsableWidth(terminalDescriptor_));
        terminal_ << '\r' << std::string(wiped, ' ') << '\r' << std::flush;
    }
}

void ProgressLine::Show(size_t done, size_t total) {
    const Clock::time_point now = Clock::now();
    if (now - start_ < QuietStart || now - lastShown_ < Interval || done >= total) {
        return;
    }
    lastShown_ = now;
    const size_t width = UsableWidth(terminalDescriptor_);
    std::string line = ProgressText(
        done, total, std::chrono::duration<double>(now - start_).count(), unit_, width);
    // Blanks over what is left of a longer line shown before, within the width.
    const size_t length = line.size();
    const size_t wiped = std::min(shownLength_, width);
    if (length < wiped) {
        line += std::string(wiped - length, ' ');
    }
    terminal_ << '\r' << line << std::flush;
    shownLength_ = std::max(std::min(shownLength_, width), length);
}

bool ShowsProgressOnStandardError(const std::ostream& out, const std::ostream& err) {
    const bool outIsTerminal = &out == &std::cout && isatty(STDOUT_FILENO) == 1;
    return &err == &std::cerr && isatty(STDERR_FILENO) == 1 && !outIsTerminal;
}
