#include "model/SweepGrid.h"

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

template <typename Visit>
void SweepGrid::VisitVariedTexts(size_t point, Visit visit) const {
    // The last axis varies fastest: it takes the lowest digit of the point's mixed-radix index.
    for (auto axis = axes.rbegin(); axis != axes.rend(); ++axis) {
        const auto points = static_cast<size_t>(axis->points);
        visit(axis->parameter, NumberToField(axis->Value(static_cast<int>(point % points)), '.'));
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

GunFieldNumbers SweepGrid::PointNumbers(const GunFieldNumbers& gunNumbers, size_t point) const {
    GunFieldNumbers numbers = gunNumbers;
    VisitVariedTexts(point, [&numbers](GunParameter parameter, const std::string& text) {
        numbers.Set(parameter, text, '.');
    });
    return numbers;
}
