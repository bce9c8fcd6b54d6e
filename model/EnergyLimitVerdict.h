#pragma once
// What a range of pellet weights says about an energy limit, gathered row by row so that a
// table of any length is judged in bounded memory: the highest energy and its pellet, the
// weights over the limit as ranges, and how far the worst one is over (or the best one under).

#include <optional>
#include <vector>

#include "model/PelletTable.h"

// Where a shot stands against the limit. Near: within the margin below the limit.
enum class LimitStanding { Within, Near, Over };

// energyLimit in J; nearMargin a share of the limit (0.05 for 5 %), 0 for no near rows.
LimitStanding StandingOf(const ShotFigures& figures, double energyLimit, double nearMargin);

struct WeightRange {
    double first;  // g, in the order the rows came
    double last;
};

class EnergyLimitVerdict {
public:
    // At most this many ranges are kept; the rest are counted.
    static constexpr size_t KeptRanges = 20;

    explicit EnergyLimitVerdict(double energyLimit) : limit_(energyLimit) {}

    // The rows in the order of their weights; a failed row breaks a range and is counted.
    void Add(const PelletRow& row);

    double Limit() const { return limit_; }
    // The completed row of the highest energy (the first of equal ones), if any completed.
    const std::optional<PelletRow>& Highest() const { return highest_; }
    const std::vector<WeightRange>& OverRanges() const { return ranges_; }
    size_t OverRangeCount() const { return rangeCount_; }
    size_t OverCount() const { return overCount_; }
    size_t FailedCount() const { return failedCount_; }

private:
    double limit_;  // J
    std::optional<PelletRow> highest_;
    std::vector<WeightRange> ranges_;
    size_t rangeCount_ = 0;
    size_t overCount_ = 0;
    size_t failedCount_ = 0;
    bool inRange_ = false;  // whether the last row was over
};
