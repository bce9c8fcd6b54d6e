#pragma once
// The record of one shot: seven series with one entry per integration step, and the summary
// that the compute command fills. It is large (about 600 kB); the program allocates one for
// its whole life and every run overwrites it in place.

#include <array>

inline constexpr int SeriesCapacity = 11000;
inline constexpr int StepLimit = 10000;  // a run still going at this step index is abandoned

using Series = std::array<double, SeriesCapacity>;

struct SimulationResult {
    // Entry n holds the state after step n. The engine writes SI units; the compute command
    // converts the counted entries to display units (the second unit).
    Series Time{};            // s, then ms: (n + 1) × Δt
    Series BulletTravel{};    // m, then mm
    Series BulletVelocity{};  // m/s
    Series PistonTravel{};    // m, then mm
    Series PistonVelocity{};  // m/s
    Series Pressure{};        // Pa, then MPa
    Series Temperature{};     // K

    // The last entry that counts: one less than the step at which the bullet reached the
    // muzzle. Written only by a run that completes; -1 when the first step reached it.
    int LastIndex = 0;

    double MaximumPressure = 0;        // MPa
    double MaximumPistonVelocity = 0;  // m/s
    double MaximumTemperature = 0;     // K
    double BulletEnergy = 0;           // J
};

// The series an extended shot with a port records besides the record's (whose pressure and
// temperature are then the cylinder's), in the engine's units; for the command line's CSV.
struct PortSeries {
    Series BreechPressure{};     // Pa
    Series BreechTemperature{};  // K
    Series PortMassFlow{};       // kg/s, positive from the cylinder into the breech
};
