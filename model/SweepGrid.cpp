#include "model/SweepGrid.h"

#include <cstdint>

#include "common/FieldNumber.h"

double SweepAxis::Value(int k) const {
    if (k == points - 1) {
        return to;
    }
    return from + (to - from) * k / (points - 1);
}

size_t SweepGrid::PointCount() const {
    size_t count = 1;
    for (const SweepAxis& axis : axes) {
        count *= static_cast<size_t>(axis.points);
    }
    return count;
}

namespace {

// The value of the axis's point k as a field would hold it.
std::string ValueText(const SweepAxis& axis, size_t k) {
    return NumberToField(axis.Value(static_cast<int>(k)), '.');
}

}  // namespace

template <typename Visit>
void SweepGrid::VisitVariedTexts(size_t point, Visit visit) const {
    // The last axis varies fastest: it takes the lowest digit of the point's mixed-radix index.
    for (auto axis = axes.rbegin(); axis != axes.rend(); ++axis) {
        const auto points = static_cast<size_t>(axis->points);
        visit(axis->parameter, ValueText(*axis, point % points));
        point /= points;
    }
}

GunParameterTexts SweepGrid::PointTexts(size_t point) const {
    GunParameterTexts texts = gun;
    VisitVariedTexts(point, [&texts](GunParameter parameter, std::string text) {
        texts[static_cast<size_t>(Index(parameter))] = std::move(text);
    });
    return texts;
}

std::vector<GunFieldNumbers> SweepGrid::PointNumbers(const GunFieldNumbers& gunNumbers,
                                                     size_t first, size_t count) const {
    if (axes.empty()) {
        return std::vector<GunFieldNumbers>(count, gunNumbers);
    }
    std::vector<GunFieldNumbers> numbers;
    numbers.reserve(count);
    const SweepAxis& fastest = axes.back();
    const auto fastestPoints = static_cast<size_t>(fastest.points);
    // Only a block that holds the fastest axis's values more than once keeps their texts.
    std::vector<std::string> fastestTexts(count >= fastestPoints ? fastestPoints : 0);
    GunFieldNumbers row = gunNumbers;  // the slower axes' values read
    size_t rowIndex = SIZE_MAX;
    for (size_t point = first; point < first + count; ++point) {
        if (point / fastestPoints != rowIndex) {
            rowIndex = point / fastestPoints;
            row = gunNumbers;
            size_t rest = rowIndex;
            for (auto axis = axes.rbegin() + 1; axis != axes.rend(); ++axis) {
                const auto points = static_cast<size_t>(axis->points);
                row.Set(axis->parameter, ValueText(*axis, rest % points), '.');
                rest /= points;
            }
        }
        const size_t k = point % fastestPoints;
        numbers.push_back(row);
        if (fastestTexts.empty()) {
            numbers.back().Set(fastest.parameter, ValueText(fastest, k), '.');
        } else {
            if (fastestTexts[k].empty()) {
                fastestTexts[k] = ValueText(fastest, k);
            }
            numbers.back().Set(fastest.parameter, fastestTexts[k], '.');
        }
    }
    return numbers;
}
