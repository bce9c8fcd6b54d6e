#include "model/ChronographShots.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "model/PelletUnits.h"
#include "model/ShotSummary.h"

namespace {

struct ShotColumn {
    const char* name;
    double toDisplayUnit;  // factor to g or m/s
};

constexpr std::array<ShotColumn, 2> WeightColumns = {{
    {"bullet_weight_g", 1},
    {"bullet_weight_gr", PelletUnits::GramsPerGrain},
}};
constexpr std::array<ShotColumn, 2> VelocityColumns = {{
    {"velocity_m_s", 1},
    {"velocity_fps", PelletUnits::MetresPerFoot},
}};

// The fields of one CSV line: split at commas outside quotes, a doubled quote inside quotes
// standing for one, blanks around an unquoted field kept (the number reader allows them).
std::vector<std::string> CsvFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

struct FoundColumn {
    size_t index;
    ShotColumn column;
};

// The one column of the header among the choices; ends the command when there is none or more.
template <size_t N>
FoundColumn FindColumn(const std::vector<std::string>& header,
                       const std::array<ShotColumn, N>& choices, const std::string& what,
                       const std::string& fileName) {
    std::vector<FoundColumn> found;
    std::string names;
    for (const ShotColumn& choice : choices) {
        names += std::string(names.empty() ? "" : " or ") + choice.name;
        for (size_t i = 0; i < header.size(); ++i) {
            if (Trimmed(header[i]) == choice.name) {
                found.push_back({i, choice});
            }
        }
    }
    if (found.empty()) {
        ShowMessageAndAbort(fileName + ": the header line names no " + what + " column (" + names +
                            ")");
    }
    if (found.size() > 1) {
        ShowMessageAndAbort(fileName + ": the header line names more than one " + what +
                            " column (" + names + "); keep one");
    }
    return found.front();
}

// The positive number of a row's field, or the reason it is none.
std::optional<double> PositiveField(const std::vector<std::string>& fields, const FoundColumn& at,
                                    const std::string& what, std::string& problem) {
    if (at.index >= fields.size()) {
        problem = "no " + what;
        return std::nullopt;
    }
    const std::string& text = fields[at.index];
    const std::optional<double> value = TryFieldToNumber(text, '.');
    if (!value) {
        problem = "the " + what + " '" + text + "' is not a number";
        return std::nullopt;
    }
    if (!(*value > 0)) {
        problem = "the " + what + " must be above 0, not '" + text + "'";
        return std::nullopt;
    }
    return *value * at.column.toDisplayUnit;
}

}  // namespace

std::vector<MeasuredShot> ReadChronographShots(std::string_view text,
                                               const std::string& fileName) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
        text.remove_prefix(ByteOrderMark.size());
    }
    std::vector<MeasuredShot> shots;
    std::string badRows;
    std::optional<FoundColumn> weightColumn;
    std::optional<FoundColumn> velocityColumn;
    int lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::vector<std::string> fields = CsvFields(line);
        if (!weightColumn) {
            weightColumn = FindColumn(fields, WeightColumns, "weight", fileName);
            velocityColumn = FindColumn(fields, VelocityColumns, "velocity", fileName);
            continue;
        }
        if (line.find_first_not_of(" \t,") == std::string_view::npos) {
            continue;  // a blank line, or one of empty fields as spreadsheets leave them
        }
        std::string problem;
        const std::optional<double> weight = PositiveField(fields, *weightColumn, "weight", problem);
        const std::optional<double> velocity =
            weight ? PositiveField(fields, *velocityColumn, "velocity", problem) : std::nullopt;
        if (!velocity) {
            badRows += std::string(badRows.empty() ? "" : "\n") + fileName + " line " +
                       std::to_string(lineNumber) + ": " + problem;
            continue;
        }
        shots.push_back({*weight, *velocity});
    }
    if (!weightColumn) {
        ShowMessageAndAbort(fileName + ": no header line");
    }
    if (!badRows.empty()) {
        ShowMessageAndAbort(badRows);
    }
    if (shots.empty()) {
        ShowMessageAndAbort(fileName + ": no shots below the header line");
    }
    return shots;
}

double MeasuredEnergy(const MeasuredShot& shot) {
    return BulletEnergyOf(shot.bulletWeight * 0.001, shot.velocity);  // g to kg
}

std::vector<MeasuredPellet> MeasuredPellets(std::span<const MeasuredShot> shots) {
    std::map<double, std::vector<double>> velocitiesByWeight;
    for (const MeasuredShot& shot : shots) {
        velocitiesByWeight[shot.bulletWeight].push_back(shot.velocity);
    }
    std::vector<MeasuredPellet> pellets;
    for (const auto& [weight, velocities] : velocitiesByWeight) {
        const double count = static_cast<double>(velocities.size());
        double sum = 0;
        for (const double v : velocities) {
            sum += v;
        }
        const double mean = sum / count;
        std::optional<double> spread;
        if (velocities.size() > 1) {
            double squares = 0;
            for (const double v : velocities) {
                squares += (v - mean) * (v - mean);
            }
            spread = std::sqrt(squares / (count - 1));
        }
        pellets.push_back({weight, static_cast<int>(velocities.size()), mean, spread});
    }
    return pellets;
}
