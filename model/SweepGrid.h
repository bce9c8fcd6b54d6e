#pragma once
// The grid of a sweep: a gun's sixteen parameter texts with one or two of them varied over even
// steps, the first varying slowest.

#include <cstddef>
#include <vector>

#include "model/GunParameters.h"

inline constexpr size_t MaxSweepAxes = 2;

struct SweepAxis {
    GunParameter parameter;
    double from;
    double to;
    int points;  // both ends included

    // The value of point k: from + (to - from) × k / (points - 1), the last one exactly to.
    double Value(int k) const;
};

struct SweepGrid {
    GunParameterTexts gun;        // the texts of the parameters that are not varied
    std::vector<SweepAxis> axes;  // at most MaxSweepAxes, of different parameters

    size_t PointCount() const;

    // The sixteen texts of a point, the varied values written as a field would hold them (with
    // a point).
    GunParameterTexts PointTexts(size_t point) const;
};
