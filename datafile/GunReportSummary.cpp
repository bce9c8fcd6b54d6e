#include "datafile/GunReportSummary.h"

#include "model/ComputeCommand.h"

GunReportSummary ReportSummaryOf(const SimulationResult& result) {
    return {result.MaximumPressure, result.MaximumPistonVelocity, result.MaximumTemperature,
            MuzzleVelocity(result), result.BulletEnergy};
}
