#include "model/ChronographShots.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <map>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/ReportFormat.h"
#include "model/PelletUnits.h"
#include "model/ShotSummary.h"

namespace {

struct ShotColumn {
    const char* name;      // as the header spells it, in lower case
    double toDisplayUnit;  // factor to g or m/s
    const char* unit;      // of the column's numbers
};

constexpr std::array<ShotColumn, 2> WeightColumns = {{
    {"bullet_weight_g", 1, "g"},
    {"bullet_weight_gr", PelletUnits::GramsPerGrain, "gr"},
}};
constexpr std::array<ShotColumn, 2> VelocityColumns = {{
    {"velocity_m_s", 1, "m/s"},
    {"velocity_fps", PelletUnits::MetresPerFoot, "ft/s"},
}};

// The shots the model can compute at all (docs/chronograph-shots.md gives the reasons): a
// shot outside is a typing or an export error, refused at its row rather than failing the
// computation late.
struct ShotBounds {
    const char* what;
    double lowest;   // g or m/s
    double highest;  // likewise
};
constexpr ShotBounds WeightBounds = {"weight", 0.001, 1000};
constexpr ShotBounds VelocityBounds = {"velocity", 1, 2000};

// What is kept of a field: enough for any number or column name, and for a message to quote.
// A longer field is neither, and a row of one huge field costs no more than a short one.
constexpr size_t KeptFieldLength = 64;
constexpr size_t QuotedFieldLength = 32;
// A file of many bad rows is the wrong file: its first rows say why, a count says the rest.
constexpr int ShownBadRows = 10;

struct CsvField {
    std::string text;  // its first KeptFieldLength characters
    bool cutShort = false;
};

// Calls visit(index, field) for each field of one CSV line: split at commas outside quotes, a
// doubled quote inside quotes standing for one, blanks around an unquoted field kept (the
// number reader allows them). False when a quote is left open at the end of the line.
template <class Visit>
bool ForEachCsvField(std::string_view line, Visit visit) {
    CsvField field;
    size_t index = 0;
    bool quoted = false;
    const auto keep = [&field](char c) {
        if (field.text.size() < KeptFieldLength) {
            field.text += c;
        } else {
            field.cutShort = true;
        }
    };
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            keep('"');
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            visit(index++, field);
            field.text.clear();
            field.cutShort = false;
        } else {
            keep(c);
        }
    }
    visit(index, field);
    return !quoted;
}

// A field as a message quotes it: control characters (a NUL among them) spelt out, a long
// field cut short.
std::string Quoted(const CsvField& field) {
    std::string quoted = "'";
    for (size_t i = 0; i < field.text.size() && i < QuotedFieldLength; ++i) {
        const auto c = static_cast<unsigned char>(field.text[i]);
        quoted +=
            c < 0x20 || c == 0x7f ? FormatReport("\\x%02X", c) : std::string(1, field.text[i]);
    }
    return quoted + (field.cutShort || field.text.size() > QuotedFieldLength ? "...'" : "'");
}

std::string TrimmedLowerCase(const CsvField& field) {
    const size_t first = field.text.find_first_not_of(" \t");
    if (first == std::string::npos || field.cutShort) {
        return "";
    }
    std::string name = field.text.substr(first, field.text.find_last_not_of(" \t") - first + 1);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name;
}

struct FoundColumn {
    size_t index;
    ShotColumn column;
    int times = 0;  // the columns of the choices the header names
};

template <size_t N>
void LookForColumn(const CsvField& field, size_t index, const std::array<ShotColumn, N>& choices,
                   FoundColumn& found) {
    const std::string name = TrimmedLowerCase(field);
    for (const ShotColumn& choice : choices) {
        if (name == choice.name && found.times++ == 0) {
            found.index = index;
            found.column = choice;
        }
    }
}

template <size_t N>
void RefuseMissingOrTwice(const FoundColumn& found, const std::array<ShotColumn, N>& choices,
                          const std::string& what, const std::string& fileName,
                          std::string_view header) {
    std::string names;
    for (const ShotColumn& choice : choices) {
        names += std::string(names.empty() ? "" : " or ") + choice.name;
    }
    if (found.times == 0) {
        // A spreadsheet set to a language with a decimal comma exports with semicolons.
        const bool semicolons = header.find(';') != std::string_view::npos &&
                                header.find(',') == std::string_view::npos;
        ShowMessageAndAbort(fileName + ": the header line names no " + what + " column (" + names +
                            ")" +
                            (semicolons ? "; its fields are separated by semicolons: export the "
                                          "file with commas between fields and points in numbers"
                                        : ""));
    }
    if (found.times > 1) {
        ShowMessageAndAbort(fileName + ": the header line names more than one " + what +
                            " column (" + names + "); keep one");
    }
}

// Ends the command when the text is no CSV this reader can read: the reason names what to
// change, where a missing column would only puzzle.
void RefuseUnreadableText(std::string_view text, const std::string& fileName) {
    constexpr std::string_view Utf16Little = "\xFF\xFE";
    constexpr std::string_view Utf16Big = "\xFE\xFF";
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    if (text.starts_with(Utf16Little) || text.starts_with(Utf16Big) ||
        firstLine.find('\0') != std::string_view::npos) {
        ShowMessageAndAbort(fileName +
                            ": the file is UTF-16 text or no text at all; save it as "
                            "UTF-8 or ASCII text");
    }
    const size_t cr = firstLine.find('\r');
    if (cr != std::string_view::npos && cr + 1 < firstLine.size()) {
        ShowMessageAndAbort(fileName +
                            ": its lines end in CR alone; save it with LF or CR LF "
                            "line ends");
    }
}

constexpr const char* OpenQuoteProblem =
    "a quote is not closed on its line (a field cannot hold a line break)";

// The number of a row's field in the display unit, or the reason it is none.
std::optional<double> ShotField(const std::optional<CsvField>& field, const FoundColumn& at,
                                const ShotBounds& bounds, std::string& problem) {
    const std::string what = bounds.what;
    if (!field) {
        problem = "no " + what;
        return std::nullopt;
    }
    const std::optional<double> value =
        field->cutShort ? std::nullopt : TryFieldToNumber(field->text, '.');
    if (!value) {
        problem = "the " + what + " " + Quoted(*field) + " is not a number";
        return std::nullopt;
    }
    const double inDisplayUnit = *value * at.column.toDisplayUnit;
    if (!(inDisplayUnit >= bounds.lowest && inDisplayUnit <= bounds.highest)) {
        const double toColumnUnit = 1 / at.column.toDisplayUnit;
        problem = "the " + what + " " + Quoted(*field) + " is outside what the model computes, " +
                  FormatReport("%g to %g %s", bounds.lowest * toColumnUnit,
                               bounds.highest * toColumnUnit, at.column.unit);
        return std::nullopt;
    }
    return inDisplayUnit;
}

bool IsBlank(std::string_view line) {
    // A blank line, or one of empty fields as spreadsheets leave them.
    return line.find_first_not_of(" \t,") == std::string_view::npos;
}

}  // namespace

std::vector<MeasuredShot> ReadChronographShots(std::string_view text, const std::string& fileName) {
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    RefuseUnreadableText(text, fileName);
    std::vector<MeasuredShot> shots;
    std::string badRows;
    int badRowCount = 0;
    bool headerRead = false;
    FoundColumn weightColumn{};
    FoundColumn velocityColumn{};
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
        if (IsBlank(line)) {
            continue;
        }
        const auto where = [&] { return fileName + " line " + std::to_string(lineNumber) + ": "; };
        if (!headerRead) {
            const bool closed = ForEachCsvField(line, [&](size_t index, const CsvField& field) {
                LookForColumn(field, index, WeightColumns, weightColumn);
                LookForColumn(field, index, VelocityColumns, velocityColumn);
            });
            if (!closed) {
                ShowMessageAndAbort(where() + OpenQuoteProblem);
            }
            RefuseMissingOrTwice(weightColumn, WeightColumns, "weight", fileName, line);
            RefuseMissingOrTwice(velocityColumn, VelocityColumns, "velocity", fileName, line);
            headerRead = true;
            continue;
        }
        std::optional<CsvField> weightField;
        std::optional<CsvField> velocityField;
        const bool closed = ForEachCsvField(line, [&](size_t index, const CsvField& field) {
            if (index == weightColumn.index) {
                weightField = field;
            }
            if (index == velocityColumn.index) {
                velocityField = field;
            }
        });
        std::string problem = OpenQuoteProblem;
        std::optional<double> weight;
        std::optional<double> velocity;
        if (closed) {
            weight = ShotField(weightField, weightColumn, WeightBounds, problem);
            velocity = weight ? ShotField(velocityField, velocityColumn, VelocityBounds, problem)
                              : std::nullopt;
        }
        if (velocity) {
            shots.push_back({*weight, *velocity});
        } else if (++badRowCount <= ShownBadRows) {
            badRows += std::string(badRows.empty() ? "" : "\n") + where() + problem;
        }
    }
    if (!headerRead) {
        ShowMessageAndAbort(fileName + ": no header line");
    }
    if (badRowCount > ShownBadRows) {
        badRows +=
            "\n" + fileName + ": " + std::to_string(badRowCount - ShownBadRows) + " more bad rows";
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
