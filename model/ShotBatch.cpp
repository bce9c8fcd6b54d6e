#include "model/ShotBatch.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "common/CommandErrors.h"
#include "common/FloatingPointFaults.h"
#include "model/ComputeCommand.h"
#include "model/ShotStepper.h"

namespace {

// Shots stepped side by side, one per element of a vector: enough to keep the divider busy
// while each waits on its own.
constexpr size_t Lanes = 8;
using LaneVector = double __attribute__((vector_size(Lanes * sizeof(double))));

// Beyond this a value's conversion to display units (× 1000) could overflow: such a shot is
// run alone, where the conversion reports it.
constexpr double NearDoubleLimit = 1e300;

// The running state of one shot in a lane. The maxima cover the entries before the previous
// one, so that at the muzzle they cover the counted entries but the last, as the summary does.
struct Lane {
    size_t shot = 0;
    std::optional<ShotStepper> stepper;
    StepEntry previous{};
    double maximumPressure = 0;  // Pa
    double maximumPistonVelocity = 0;
    double maximumTemperature = 0;
    double largestTravel = 0;  // m, magnitude

    // False when working out the shot's coefficients already faulted: the lanes clear the
    // flags before every step, so such a shot must be run alone to report its fault.
    bool Start(size_t shotIndex, const ModelInputs& inputs) {
        *this = Lane{};
        shot = shotIndex;
        ClearFloatingPointFaults();
        stepper.emplace(inputs);
        return PendingFloatingPointFault() == FloatingPointFault::None;
    }
};

}  // namespace

ShotFigures ComputeShotFiguresOneByOne(const ModelInputs& completedInputs,
                                       SimulationResult& scratch) {
    ModelInputs inputs = completedInputs;
    ShotFigures figures;
    try {
        RunCompletedShot(inputs, scratch);
        SummarizeShot(inputs, scratch);
    } catch (const CommandFailure& failure) {
        figures.failure = failure.what();
        return figures;
    }
    figures.lastIndex = scratch.LastIndex;
    figures.maximumPressure = scratch.MaximumPressure;
    figures.maximumPistonVelocity = scratch.MaximumPistonVelocity;
    figures.maximumTemperature = scratch.MaximumTemperature;
    figures.muzzleVelocity = MuzzleVelocity(scratch);
    figures.bulletEnergy = scratch.BulletEnergy;
    return figures;
}

namespace {

// The figures of a lane whose bullet reached the muzzle in its step n, the entry of that step
// given; or nothing when the shot must be run alone.
std::optional<ShotFigures> FiguresAtMuzzle(const Lane& lane, const StepEntry& muzzleStep, int n,
                                           const ModelInputs& inputs) {
    const double largestTravel = std::max({lane.largestTravel, std::fabs(muzzleStep.pistonTravel),
                                           std::fabs(muzzleStep.bulletTravel)});
    if (!(largestTravel < NearDoubleLimit) || !(std::fabs(muzzleStep.time) < NearDoubleLimit)) {
        return std::nullopt;
    }
    ShotFigures figures;
    figures.lastIndex = n - 1;
    // Scaling to MPa keeps the order of values, so the largest entry in Pa gives the largest
    // in MPa.
    ClearFloatingPointFaults();
    figures.maximumPressure = lane.maximumPressure * 1e-6;
    figures.maximumPistonVelocity = lane.maximumPistonVelocity;
    figures.maximumTemperature = lane.maximumTemperature;
    figures.muzzleVelocity = n >= 1 ? lane.previous.bulletVelocity : muzzleStep.bulletVelocity;
    figures.bulletEnergy =
        0.5 * inputs.BulletMass * figures.muzzleVelocity * figures.muzzleVelocity;
    if (PendingFloatingPointFault() != FloatingPointFault::None) {
        return std::nullopt;
    }
    return figures;
}

}  // namespace

namespace {

// The coefficients of the shots in the lanes, element by element; an idle lane repeats lane 0
// so that its arithmetic is harmless.
ShotCoefficients<LaneVector> GatherCoefficients(const std::array<Lane, Lanes>& lanes,
                                                size_t activeLanes) {
    ShotCoefficients<LaneVector> gathered;
    for (size_t l = 0; l < Lanes; ++l) {
        const ShotCoefficients<double>& c = lanes[l < activeLanes ? l : 0].stepper->Coefficients();
        gathered.sweptVolume[l] = c.sweptVolume;
        gathered.pistonArea[l] = c.pistonArea;
        gathered.boreArea[l] = c.boreArea;
        gathered.portVolume[l] = c.portVolume;
        gathered.inverseBoreDiameter[l] = c.inverseBoreDiameter;
        gathered.airMass[l] = c.airMass;
        gathered.springRate[l] = c.springRate;
        gathered.stroke[l] = c.stroke;
        gathered.springMinimumForce[l] = c.springMinimumForce;
        gathered.frictionArea[l] = c.frictionArea;
        gathered.ambientPressure[l] = c.ambientPressure;
        gathered.inverseDrivenPistonMass[l] = c.inverseDrivenPistonMass;
        gathered.bulletAccelerationPerPascal[l] = c.bulletAccelerationPerPascal;
        gathered.kappaMinusOne[l] = c.kappaMinusOne;
        gathered.timeStep[l] = c.timeStep;
    }
    return gathered;
}

// Integrates one step of every running lane at once.
void IntegrateLanes(std::array<Lane, Lanes>& lanes, size_t activeLanes,
                    const ShotCoefficients<LaneVector>& coefficients,
                    std::array<StepEntry, Lanes>& entries) {
    BasicShotState<LaneVector> y;
    LaneVector n;
    for (size_t l = 0; l < Lanes; ++l) {
        ShotStepper& stepper = *lanes[l < activeLanes ? l : 0].stepper;
        for (size_t i = 0; i < y.size(); ++i) {
            y[i][l] = stepper.State()[i];
        }
        n[l] = stepper.StepIndex();
    }
    BasicStepEntry<LaneVector> entry;
    IntegrateStep<LaneVector>(y, n, coefficients, entry);
    for (size_t l = 0; l < activeLanes; ++l) {
        ShotState& state = lanes[l].stepper->State();
        for (size_t i = 0; i < y.size(); ++i) {
            state[i] = y[i][l];
        }
        entries[l] = {entry.time[l],         entry.pistonTravel[l],   entry.pistonVelocity[l],
                      entry.bulletTravel[l], entry.bulletVelocity[l], entry.pressure[l],
                      entry.temperature[l]};
    }
}

}  // namespace

void ComputeShotFigures(std::span<const ModelInputs> completedInputs,
                        std::span<ShotFigures> figures, SimulationResult& scratch) {
    std::array<Lane, Lanes> lanes;
    std::array<StepEntry, Lanes> entries;
    size_t activeLanes = 0;
    size_t nextShot = 0;
    bool lanesChanged = true;
    const auto runAlone = [&](size_t shot) {
        figures[shot] = ComputeShotFiguresOneByOne(completedInputs[shot], scratch);
    };
    // Puts the next shot that can run in a lane into the lane; false when none is left.
    const auto startNextShot = [&](size_t lane) {
        while (nextShot < completedInputs.size()) {
            const size_t shot = nextShot++;
            if (lanes[lane].Start(shot, completedInputs[shot])) {
                return true;
            }
            runAlone(shot);
        }
        return false;
    };
    // Lanes 0 … activeLanes - 1 are running. A finished lane takes the next shot, which joins
    // in from the next step on; when none is left, the last running lane moves into its place.
    // Returns whether the lane now holds a lane that was moved in.
    const auto refill = [&](size_t lane) {
        lanesChanged = true;
        if (startNextShot(lane)) {
            return false;
        }
        --activeLanes;
        if (lane == activeLanes) {
            return false;
        }
        lanes[lane] = std::move(lanes[activeLanes]);
        entries[lane] = entries[activeLanes];
        return true;
    };
    while (activeLanes < Lanes && startNextShot(activeLanes)) {
        ++activeLanes;
    }

    ShotCoefficients<LaneVector> coefficients{};
    while (activeLanes > 0) {
        if (lanesChanged) {
            coefficients = GatherCoefficients(lanes, activeLanes);
            lanesChanged = false;
        }
        ClearFloatingPointFaults();
        IntegrateLanes(lanes, activeLanes, coefficients, entries);
        if (PendingFloatingPointFault() != FloatingPointFault::None) {
            // The flags don't tell whose arithmetic failed: every running shot is run alone.
            for (size_t l = activeLanes; l-- > 0;) {
                runAlone(lanes[l].shot);
                refill(l);
            }
            continue;
        }
        for (size_t l = 0; l < activeLanes;) {
            Lane& lane = lanes[l];
            StepEntry& entry = entries[l];
            const int n = lane.stepper->StepIndex();
            switch (lane.stepper->Settle(entry)) {
                case ShotStepper::Next::Continue:
                    if (n >= 1) {
                        lane.maximumPressure =
                            std::max(lane.maximumPressure, lane.previous.pressure);
                        lane.maximumPistonVelocity =
                            std::max(lane.maximumPistonVelocity, lane.previous.pistonVelocity);
                        lane.maximumTemperature =
                            std::max(lane.maximumTemperature, lane.previous.temperature);
                    }
                    lane.largestTravel =
                        std::max({lane.largestTravel, std::fabs(entry.pistonTravel),
                                  std::fabs(entry.bulletTravel)});
                    lane.previous = entry;
                    ++l;
                    continue;
                case ShotStepper::Next::StepLimitReached:
                    figures[lane.shot] = ShotFigures{StepLimitMessage};
                    break;
                case ShotStepper::Next::MuzzleReached:
                    if (std::optional<ShotFigures> done =
                            FiguresAtMuzzle(lane, entry, n, completedInputs[lane.shot])) {
                        figures[lane.shot] = std::move(*done);
                    } else {
                        runAlone(lane.shot);
                    }
                    break;
            }
            if (!refill(l)) {
                ++l;  // a lane moved in has its step of this round still to settle
            }
        }
    }
}

void ComputeShotFiguresOnThreads(std::span<const ModelInputs> completedInputs,
                                 std::span<ShotFigures> figures, unsigned threads) {
    if (threads == 0) {
        threads = std::max(1u, std::thread::hardware_concurrency());
    }
    // Threads take blocks of shots in turn until none is left, so a thread that meets short
    // shots takes more of them.
    constexpr size_t BlockSize = 64;
    std::atomic<size_t> nextBlock = 0;
    const auto work = [&] {
        const auto scratch = std::make_unique<SimulationResult>();
        for (;;) {
            const size_t first = nextBlock.fetch_add(BlockSize);
            if (first >= completedInputs.size()) {
                return;
            }
            const size_t count = std::min(BlockSize, completedInputs.size() - first);
            ComputeShotFigures(completedInputs.subspan(first, count), figures.subspan(first, count),
                               *scratch);
        }
    };
    std::vector<std::jthread> helpers;
    for (unsigned i = 1; i < threads; ++i) {
        helpers.emplace_back(work);
    }
    work();
}
