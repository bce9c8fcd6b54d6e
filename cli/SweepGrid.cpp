#include "cli/SweepGrid.h"

#include <cmath>
#include <limits>

#include "cli/CliNumbers.h"
#include "cli/UsageError.h"
#include "common/FieldNumber.h"

std::string ParameterFieldNames() {
    std::string names;
    for (const GunParameterInfo& info : GunParameterTable) {
        names += std::string(names.empty() ? "" : ", ") + info.fieldName;
    }
    for (const OptionalParameterInfo& info : OptionalParameterTable) {
        names += std::string(", ") + info.fieldName;
    }
    return names;
}

GunParameter ParameterNamed(const std::string& name) {
    const std::optional<GunParameter> parameter = GunParameterByFieldName(name);
    if (!parameter) {
        throw UsageError("unknown parameter '" + name + "'; the parameters are " +
                         ParameterFieldNames());
    }
    return *parameter;
}

SweepAxis ParseSweepAxis(const std::string& text) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos) {
        throw UsageError("--vary takes NAME=FROM:TO:STEPS, not '" + text + "'");
    }
    const std::string name = text.substr(0, equals);
    const GunParameter parameter = ParameterNamed(name);
    return ParseSweepRange(parameter, text.substr(equals + 1), "--vary " + name);
}

SweepAxis ParseSweepRange(GunParameter parameter, const std::string& range,
                          const std::string& option) {
    const size_t firstColon = range.find(':');
    const size_t secondColon =
        firstColon == std::string::npos ? std::string::npos : range.find(':', firstColon + 1);
    if (secondColon == std::string::npos) {
        throw UsageError(option + " takes FROM:TO:STEPS, not '" + range + "'");
    }
    SweepAxis axis{parameter, 0, 0, 0};
    axis.from = ParseParameterValue(parameter, range.substr(0, firstColon), "FROM");
    axis.to =
        ParseParameterValue(parameter, range.substr(firstColon + 1, secondColon - firstColon - 1), "TO");
    axis.points =
        ParseCliCount(range.substr(secondColon + 1), "STEPS", 1, std::numeric_limits<int>::max());
    if (axis.points == 1 && axis.from != axis.to) {
        throw UsageError("a sweep of one point needs FROM equal to TO");
    }
    // A range wider than the largest double gives points that are no numbers at all. The
    // points grow with k, so the last one before TO (which is TO exactly) is the one to check.
    if (axis.points >= 3 && !std::isfinite(axis.Value(axis.points - 2))) {
        throw UsageError(option + ": the points from " + NumberToField(axis.from, '.') + " to " +
                         NumberToField(axis.to, '.') +
                         " go beyond the range of a double; narrow the range");
    }
    return axis;
}
