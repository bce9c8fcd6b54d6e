#pragma once
// The grid of a sweep: a gun's sixteen parameter texts with one or two of them varied over even
// steps, the first varying slowest.

#include <cstddef>
#include <string>
#include <vector>

#include "model/GunFieldNumbers.h"
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

    // The numbers of the texts of count points from first on: the gun's numbers (read from its
    // texts once) with the varied values' texts read. Points in a row share the slower axis's
    // value, and a block of them holds the fastest axis's values again and again: each value is
    // written as a text once, and the slower one read once per row.
    std::vector<GunFieldNumbers> PointNumbers(const GunFieldNumbers& gunNumbers, size_t first,
                                              size_t count) const;

private:
    // Calls visit(parameter, text) for each varied parameter with its value's text at the point.
    template <typename Visit>
    void VisitVariedTexts(size_t point, Visit visit) const;
};
