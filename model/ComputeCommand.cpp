#include "model/ComputeCommand.h"

#include <algorithm>

#include "common/CommandErrors.h"
#include "common/FloatingPointFaults.h"
#include "common/ReportFormat.h"
#include "model/ExtendedShot.h"
#include "model/ResultSeries.h"
#include "model/ShotEngine.h"
#include "model/ShotSummary.h"

namespace {

void ClearSeries(SimulationResult& result) {
    // The temperature is left as it is: only counted entries are ever read.
    for (Series* series : {&result.Time, &result.BulletTravel, &result.BulletVelocity,
                           &result.PistonTravel, &result.PistonVelocity, &result.Pressure}) {
        series->fill(0);
    }
}

// Converts the counted entries of the table's series of the record.
template <class Record, class Table>
void ConvertSeries(Record& record, const Table& table, int lastIndex) {
    for (const auto& info : table) {
        if (info.toDisplayUnit == 1) {
            continue;
        }
        Series& series = record.*info.series;
        for (int n = 0; n <= lastIndex; ++n) {
            series[static_cast<size_t>(n)] *= info.toDisplayUnit;
        }
    }
}

void ConvertToDisplayUnits(SimulationResult& result, PortSeries* port) {
    ClearFloatingPointFaults();
    ConvertSeries(result, ResultSeriesTable, result.LastIndex);
    if (port != nullptr) {
        ConvertSeries(*port, PortSeriesTable, result.LastIndex);
    }
    ThrowIfFloatingPointFault();
}

StepEntry EntryOf(const SimulationResult& result, int n) {
    const auto i = static_cast<size_t>(n);
    return {result.Time[i],         result.PistonTravel[i],   result.PistonVelocity[i],
            result.BulletTravel[i], result.BulletVelocity[i], result.Pressure[i],
            result.Temperature[i]};
}

}  // namespace

void SimulateShotFromFields(const GunParameterTexts& texts, char decimalSeparator,
                            ModelInputs& inputs, SimulationResult& result, PortSeries* port) {
    ReadModelInputs(texts, decimalSeparator, inputs);
    ValidateModelInputs(inputs);
    ClearSeries(result);
    CompleteModelInputs(inputs);
    RunCompletedShot(inputs, result, port);
}

void RunCompletedShot(const ModelInputs& inputs, SimulationResult& result, PortSeries* port) {
    const ShotOutcome outcome = ComputeShot(inputs, result, port);
    switch (outcome.end) {
        case ShotEnd::StepLimitReached:
            ShowMessageAndAbort(StepLimitMessage);
        case ShotEnd::StepTooCoarse:
            ShowMessageAndAbort(PortStepRefusal(inputs));
        case ShotEnd::FloatingPointFault:
            throw CommandError(FloatingPointFaultMessage(outcome.fault));
        case ShotEnd::Completed:
            break;
    }
    ConvertToDisplayUnits(result, port);
}

ShotFigures SummaryFigures(const ModelInputs& inputs, const SimulationResult& result) {
    ShotSummary summary;
    for (int n = 0; n <= result.LastIndex; ++n) {
        summary.AddCountedEntry(EntryOf(result, n));
    }
    return CompletedShotFigures(summary, result.LastIndex, result.BulletVelocity[0],
                                inputs.BulletMass);
}

ShotFigures SummarizeShot(const ModelInputs& inputs, SimulationResult& result) {
    ClearFloatingPointFaults();
    const ShotFigures figures = SummaryFigures(inputs, result);
    result.MaximumPressure = figures.maximumPressure;
    result.MaximumPistonVelocity = figures.maximumPistonVelocity;
    result.MaximumTemperature = figures.maximumTemperature;
    result.BulletEnergy = figures.bulletEnergy;
    ThrowIfFloatingPointFault();
    return figures;
}

double MuzzleVelocity(const SimulationResult& result) {
    return result.BulletVelocity[static_cast<size_t>(std::max(result.LastIndex, 0))];
}

std::array<std::string, SummaryLineCount> SummaryLines(const SimulationResult& result) {
    return SummaryLines(ShotFigures{"", result.LastIndex, result.MaximumPressure,
                                    result.MaximumPistonVelocity, result.MaximumTemperature,
                                    MuzzleVelocity(result), result.BulletEnergy});
}

std::array<std::string, SummaryLineCount> SummaryLines(const ShotFigures& figures) {
    return {
        std::string(53, '-'),
        FormatReport(" Computation Steps:   %6.0i ", figures.lastIndex),
        FormatReport(" Maximum Pressure: %7.1f  MPa", figures.maximumPressure),
        FormatReport(" Max. Piston Velocity: %5.1f  m/s", figures.maximumPistonVelocity),
        FormatReport(" Max. Temperature:    %7.1f  K", figures.maximumTemperature),
        FormatReport(" Bullet Velocity:        %9.1f  m/s", figures.muzzleVelocity),
        FormatReport(" Bullet Energy:        %9.1f  J", figures.bulletEnergy),
    };
}
