#pragma once
// The summary of the last computation as the gun report shows it, below the parameters.
// The caller takes the values from SimulationResult; the report only prints them.

struct SimulationResult;

struct GunReportSummary {
    double MaximumPressure = 0;        // MPa
    double MaximumPistonVelocity = 0;  // m/s
    double MaximumTemperature = 0;     // K
    double BulletVelocity = 0;         // m/s, entry LastIndex of the BulletVelocity series
    double BulletEnergy = 0;           // J
};

// The summary of a computed result: the values the result box shows, the bullet's velocity
// taken as MuzzleVelocity does.
GunReportSummary ReportSummaryOf(const SimulationResult& result);
