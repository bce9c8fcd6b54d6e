#include "datafile/GunReportSummary.h"

#include "model/ComputeCommand.h"
#include "model/ModelInputs.h"

GunReportSummary ReportSummaryOf(const SimulationResult& result, const ModelInputs& inputs) {
    return {result.MaximumPressure,
            result.MaximumPistonVelocity,
            result.MaximumTemperature,
            MuzzleVelocity(result),
            result.BulletEnergy,
            UsesExtendedModel(inputs) ? SummaryModel::Extended : SummaryModel::Basic};
}
