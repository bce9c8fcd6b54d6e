#include "cli/ProgressLine.h"

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

}  // namespace

ProgressLine::ProgressLine(std::ostream& terminal, std::string unit)
    : terminal_(terminal), unit_(std::move(unit)) {}

ProgressLine::~ProgressLine() {
    if (shownLength_ > 0) {
        terminal_ << '\r' << std::string(shownLength_, ' ') << '\r' << std::flush;
    }
}

void ProgressLine::Show(size_t done, size_t total) {
    const Clock::time_point now = Clock::now();
    if (now - start_ < QuietStart || now - lastShown_ < Interval || done >= total) {
        return;
    }
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = static_cast<double>(done) / seconds;
    std::string line = FormatReport("%5.1f %% of %zu %s, %.0f %s/s", 100.0 * done / total, total,
                                    unit_.c_str(), rate, unit_.c_str());
    if (rate > 0) {
        line += ", " + Duration(static_cast<double>(total - done) / rate) + " left";
    }
    const size_t length = line.size();
    if (length < shownLength_) {
        line += std::string(shownLength_ - length, ' ');
    }
    terminal_ << '\r' << line << std::flush;
    shownLength_ = std::max(shownLength_, length);
}

bool ShowsProgressOnStandardError(const std::ostream& out, const std::ostream& err) {
    const bool outIsTerminal = &out == &std::cout && isatty(STDOUT_FILENO) == 1;
    return &err == &std::cerr && isatty(STDERR_FILENO) == 1 && !outIsTerminal;
}
