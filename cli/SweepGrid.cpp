#include "cli/SweepGrid.h"

#include <cmath>
#include <limits>

#include "cli/CliNumbers.h"
#include "cli/UsageError.h"
#include "common/FieldNumber.h"

SweepAxis ParseSweepAxis(const std::string& text) {
    const size_t equals = text.find('=');
    const size_t firstColon = text.find(':', equals);
    const size_t secondColon =
        firstColon == std::string::npos ? std::string::npos : text.find(':', firstColon + 1);
    if (equals == std::string::npos || secondColon == std::string::npos) {
        throw UsageError("--vary takes NAME=FROM:TO:STEPS, not '" + text + "'");
    }
    const std::string name = text.substr(0, equals);
    const std::optional<GunParameter> parameter = GunParameterByFieldName(name);
    if (!parameter) {
        std::string known;
        for (const GunParameterInfo& info : GunParameterTable) {
            known += std::string(known.empty() ? "" : ", ") + info.fieldName;
        }
        throw UsageError("unknown parameter '" + name + "'; the parameters are " + known);
    }
    SweepAxis axis{*parameter, 0, 0, 0};
    axis.from = ParseCliNumber(text.substr(equals + 1, firstColon - equals - 1), "FROM");
    axis.to = ParseCliNumber(text.substr(firstColon + 1, secondColon - firstColon - 1), "TO");
    axis.points =
        ParseCliCount(text.substr(secondColon + 1), "STEPS", 1, std::numeric_limits<int>::max());
    if (axis.points == 1 && axis.from != axis.to) {
        throw UsageError("a sweep of one point needs FROM equal to TO");
    }
    // A range wider than the largest double gives points that are no numbers at all. The
    // points grow with k, so the last one before TO (which is TO exactly) is the one to check.
    if (axis.points >= 3 && !std::isfinite(axis.Value(axis.points - 2))) {
        throw UsageError("--vary " + name + ": the points from " + NumberToField(axis.from, '.') +
                         " to " + NumberToField(axis.to, '.') +
                         " go beyond the range of a double; narrow the range");
    }
    return axis;
}
