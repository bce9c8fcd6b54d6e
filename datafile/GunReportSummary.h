#pragma once
// The summary of the last computation as the gun report shows it, below the parameters.
// The caller takes the values from SimulationResult; the report only prints them.

struct ModelInputs;
struct SimulationResult;

// The computation whose figures the summary shows: the window always computes the basic model,
// the command line the extended one when an optional parameter is not neutral. The report's
// optional section says which, since a report may carry the five beside a basic summary.
enum class SummaryModel { Basic, Extended };

struct GunReportSummary {
    double MaximumPressure = 0;        // MPa
    double MaximumPistonVelocity = 0;  // m/s
    double MaximumTemperature = 0;     // K
    double BulletVelocity = 0;         // m/s, entry LastIndex of the BulletVelocity series
    double BulletEnergy = 0;           // J
    SummaryModel model = SummaryModel::Basic;
};

// The summary of a result computed from the inputs: the values the result box shows, the
// bullet's velocity taken as MuzzleVelocity does.
GunReportSummary ReportSummaryOf(const SimulationResult& result, const ModelInputs& inputs);
