#pragma once
// The seven series of a result as the rest of the program names them: the command line, the
// CSV columns and the graph's axis items all take their names and units from this table.

#include <array>
#include <string>

#include "model/SimulationResult.h"

struct ResultSeriesInfo {
    Series SimulationResult::*series;
    const char* name;         // bullet_velocity: its name on the command line
    const char* displayUnit;  // "m/s": the unit after the compute command
    double toDisplayUnit;     // the compute command's factor from the engine's unit (s to ms: 1000)
};

// In the order of the record's fields, which is the order of the CSV columns.
inline constexpr auto ResultSeriesTable = std::to_array<ResultSeriesInfo>({
    {&SimulationResult::Time, "time", "ms", 1000},
    {&SimulationResult::BulletTravel, "bullet_travel", "mm", 1000},
    {&SimulationResult::BulletVelocity, "bullet_velocity", "m/s", 1},
    {&SimulationResult::PistonTravel, "piston_travel", "mm", 1000},
    {&SimulationResult::PistonVelocity, "piston_velocity", "m/s", 1},
    {&SimulationResult::Pressure, "pressure", "MPa", 1e-6},
    {&SimulationResult::Temperature, "temperature", "K", 1},
});

// The row of a series of the record.
constexpr const ResultSeriesInfo& SeriesInfo(Series SimulationResult::*series) {
    for (const ResultSeriesInfo& info : ResultSeriesTable) {
        if (info.series == series) {
            return info;
        }
    }
    throw "every series of SimulationResult has a row in ResultSeriesTable";
}

// The CSV column of a series: its name and unit, "bullet_velocity_m_s".
std::string CsvColumnName(const ResultSeriesInfo& info);

// The series only a shot with a transfer port records (PortSeries in model/SimulationResult.h), for
// the command line's CSV: the window neither keeps nor shows them.
struct PortSeriesInfo {
    Series PortSeries::*series;
    const char* name;
    const char* displayUnit;
    double toDisplayUnit;
};

// In the order of the CSV columns, after the record's.
inline constexpr auto PortSeriesTable = std::to_array<PortSeriesInfo>({
    {&PortSeries::BreechPressure, "breech_pressure", "MPa", 1e-6},
    {&PortSeries::BreechTemperature, "breech_temperature", "K", 1},
    {&PortSeries::PortMassFlow, "port_mass_flow", "g/s", 1000},
});

std::string CsvColumnName(const PortSeriesInfo& info);
