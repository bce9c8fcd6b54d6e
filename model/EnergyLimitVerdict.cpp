#include "model/EnergyLimitVerdict.h"

LimitStanding StandingOf(const ShotFigures& figures, double energyLimit, double nearMargin) {
    if (IsOverLimit(figures, energyLimit)) {
        return LimitStanding::Over;
    }
    return figures.bulletEnergy >= energyLimit * (1 - nearMargin) && nearMargin > 0
               ? LimitStanding::Near
               : LimitStanding::Within;
}

void EnergyLimitVerdict::Add(const PelletRow& row) {
    if (!row.figures.failure.empty()) {
        ++failedCount_;
        inRange_ = false;
        return;
    }
    if (!highest_ || row.figures.bulletEnergy > highest_->figures.bulletEnergy) {
        highest_ = row;
    }
    if (!IsOverLimit(row.figures, limit_)) {
        inRange_ = false;
        return;
    }
    ++overCount_;
    if (!inRange_) {
        ++rangeCount_;
        if (ranges_.size() < KeptRanges) {
            ranges_.push_back({row.bulletWeight, row.bulletWeight});
        }
    } else if (rangeCount_ <= KeptRanges) {
        ranges_.back().last = row.bulletWeight;
    }
    inRange_ = true;
}
