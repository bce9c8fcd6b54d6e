#include "model/ShotBatch.h"

#include <algorithm>
#include <vector>

#include "common/CommandErrors.h"
#include "common/FloatingPointFaults.h"
#include "model/ComputeCommand.h"
#include "model/ShotSummary.h"
#include "model/SmoothShotStepping.h"

ShotFigures ComputeShotFiguresOneByOne(const ModelInputs& completedInputs,
                                       SimulationResult& scratch) {
    try {
        RunCompletedShot(completedInputs, scratch);
        return SummarizeShot(completedInputs, scratch);
    } catch (const CommandFailure& failure) {
        return ShotFigures{failure.what()};
    }
}

namespace {

// Beyond this a travel (m) or a time (s) could overflow when the compute command converts it
// to display units (× 1000): such a shot is run alone, where the conversion reports it.
constexpr double NearDoubleLimit = 1e300;

// The shots of each model step in lanes of their own: what the scheduler needs of a model.
struct BasicModelShots {
    using Lanes = ShotLanes;
    using SmoothProgress = SmoothShotProgress;

    static bool Takes(const ModelInputs& inputs) { return !UsesExtendedModel(inputs); }
    static bool RunsAlone(const ModelInputs&) { return false; }
    static ShotCoefficients<double> CoefficientsOf(const ModelInputs& inputs) {
        return ::CoefficientsOf(inputs);
    }
    static void StoreCoefficients(const ModelInputs& inputs, Lanes& lanes, size_t lane) {
        const ShotCoefficients<double> coefficients = CoefficientsOf(inputs);
        size_t coefficient = 0;
        VisitCoefficients(coefficients,
                          [&](double value) { lanes.coefficients[coefficient++][lane] = value; });
    }
    static ShotState InitialState(const ModelInputs& inputs) { return InitialShotState(inputs); }
    static SmoothProgress StartSmooth(const ModelInputs& inputs) { return StartSmoothShot(inputs); }
    static size_t LaneCount(const ShotLaneKernel& kernel, bool smooth) {
        return smooth ? kernel.smoothLanes : kernel.lanes;
    }
    static void Step(const ShotLaneKernel& kernel, Lanes& lanes, size_t count, bool smooth) {
        (smooth ? kernel.stepSmoothUntilAnEvent : kernel.stepUntilAShotEnds)(lanes, count);
    }
};

struct ExtendedModelShots {
    using Lanes = ExtendedShotLanes;
    using SmoothProgress = ExtendedSmoothShotProgress<ExtendedCoreComponentCount>;

    static bool Takes(const ModelInputs& inputs) { return UsesExtendedModel(inputs); }
    // A step too coarse for the port is refused before any step; the lanes' kernels have only
    // the fitted flow function of the port.
    static bool RunsAlone(const ModelInputs& inputs) {
        return !StepResolvesPort(inputs) || !PortFlowIsFitted(inputs);
    }
    static ExtendedCoefficients CoefficientsOf(const ModelInputs& inputs) {
        return ExtendedCoefficientsOf(inputs);
    }
    static void StoreCoefficients(const ModelInputs& inputs, Lanes& lanes, size_t lane) {
        const ExtendedCoefficients coefficients = CoefficientsOf(inputs);
        size_t coefficient = 0;
        VisitExtendedCoefficients(
            coefficients, [&](double value) { lanes.coefficients[coefficient++][lane] = value; });
    }
    static ExtendedShotStateCore InitialState(const ModelInputs& inputs) {
        return InitialExtendedState<ExtendedCoreComponentCount>(inputs);
    }
    static SmoothProgress StartSmooth(const ModelInputs& inputs) {
        return SmoothStepping::StartExtendedSmoothShot<ExtendedCoreComponentCount>(
            inputs, CoefficientsOf(inputs));
    }
    static size_t LaneCount(const ShotLaneKernel& kernel, bool smooth) {
        return smooth ? kernel.extendedSmoothLanes : kernel.extendedLanes;
    }
    static void Step(const ShotLaneKernel& kernel, Lanes& lanes, size_t count, bool smooth) {
        (smooth ? kernel.stepExtendedSmoothUntilAnEvent : kernel.stepExtendedUntilAShotEnds)(lanes,
                                                                                             count);
    }
};

// Puts the model's shots of a block through the lanes, a new shot into each lane whose shot
// ended, until none is left; the shots that must run alone meanwhile run alone. The
// floating-point flags are read once each time the kernel stops: when they were raised, every
// shot that was stepped, ended or began since they were last clean runs alone, which reports
// its fault as the compute command would, and the lanes start afresh.
template <class Model>
class LaneScheduler {
public:
    LaneScheduler(std::span<const ModelInputs> inputs, std::span<ShotFigures> figures,
                  SimulationResult& scratch, const ShotLaneKernel& kernel,
                  ShotComputation computation)
        : inputs_(inputs),
          figures_(figures),
          scratch_(scratch),
          kernel_(kernel),
          smooth_(computation == ShotComputation::Smooth) {}

    void Run() {
        ClearFloatingPointFaults();
        FillLanes();
        while (runningLanes_ > 0) {
            RepeatLaneZeroInIdleLanes();
            const std::array<size_t, MaxShotLanes> stepped = shotOfLane_;
            const size_t steppedCount = runningLanes_;
            Model::Step(kernel_, lanes_, runningLanes_, smooth_);
            for (size_t lane = 0; lane < runningLanes_;) {
                if (smooth_ ? SettleSmoothLane(lane) : SettleLane(lane)) {
                    ++lane;
                }
            }
            if (PendingFloatingPointFault() != FloatingPointFault::None) {
                RunAloneAfterAFault(std::span(stepped).first(steppedCount));
            }
        }
    }

private:
    void FillLanes() {
        while (runningLanes_ < Model::LaneCount(kernel_, smooth_) && StartNextShot(runningLanes_)) {
            ++runningLanes_;
        }
    }

    // The flags don't tell whose arithmetic failed.
    void RunAloneAfterAFault(std::span<const size_t> stepped) {
        std::vector<size_t> suspects(stepped.begin(), stepped.end());
        for (size_t lane = 0; lane < runningLanes_; ++lane) {
            if (std::find(stepped.begin(), stepped.end(), shotOfLane_[lane]) == stepped.end()) {
                suspects.push_back(shotOfLane_[lane]);
            }
        }
        runningLanes_ = 0;
        for (const size_t shot : suspects) {
            figures_[shot] = smooth_ ? ComputeSmoothShotFigures(inputs_[shot])
                                     : ComputeShotFiguresOneByOne(inputs_[shot], scratch_);
        }
        ClearFloatingPointFaults();
        FillLanes();
    }

    // Puts the model's next shot, if any is left, into the lane.
    bool StartNextShot(size_t lane) {
        for (;; ++nextShot_) {
            if (nextShot_ == inputs_.size()) {
                return false;
            }
            const ModelInputs& inputs = inputs_[nextShot_];
            if (!Model::Takes(inputs)) {
                continue;
            }
            if (!Model::RunsAlone(inputs)) {
                break;
            }
            const FloatingPointFaultsKeptAside lanesFaults;
            figures_[nextShot_] = smooth_ ? ComputeSmoothShotFigures(inputs)
                                          : ComputeShotFiguresOneByOne(inputs, scratch_);
        }
        shotOfLane_[lane] = nextShot_;
        const ModelInputs& inputs = inputs_[nextShot_++];
        Model::StoreCoefficients(inputs, lanes_, lane);
        const auto y = Model::InitialState(inputs);
        for (size_t i = 0; i < y.size(); ++i) {
            lanes_.state[i][lane] = y[i];
        }
        for (LaneColumn* column :
             {&lanes_.stepIndex, &lanes_.bulletReleased, &lanes_.pistonBack, &lanes_.pistonAtRest,
              &lanes_.maximumPressure, &lanes_.maximumPistonVelocity, &lanes_.maximumTemperature,
              &lanes_.lastPressure, &lanes_.lastPistonVelocity, &lanes_.lastTemperature,
              &lanes_.lastBulletVelocity, &lanes_.largestTravel}) {
            (*column)[lane] = 0;
        }
        if (smooth_) {
            StoreProgress(lane, Model::StartSmooth(inputs));
        }
        return true;
    }

    // The kernel steps whole vectors; the lanes past the running ones repeat lane 0, whose
    // arithmetic is sound.
    void RepeatLaneZeroInIdleLanes() {
        const size_t vectors = (runningLanes_ + kernel_.vectorLanes - 1) / kernel_.vectorLanes;
        for (size_t lane = runningLanes_; lane < vectors * kernel_.vectorLanes; ++lane) {
            VisitLaneColumns(lanes_, [lane](LaneColumn& column) { column[lane] = column[0]; });
        }
    }

    ShotSummary SummaryOfLane(size_t lane) const {
        ShotSummary summary;
        summary.maximumPressure = lanes_.maximumPressure[lane];
        summary.maximumPistonVelocity = lanes_.maximumPistonVelocity[lane];
        summary.maximumTemperature = lanes_.maximumTemperature[lane];
        summary.last.pressure = lanes_.lastPressure[lane];
        summary.last.pistonVelocity = lanes_.lastPistonVelocity[lane];
        summary.last.temperature = lanes_.lastTemperature[lane];
        summary.last.bulletVelocity = lanes_.lastBulletVelocity[lane];
        return summary;
    }

    void StoreSummary(size_t lane, const ShotSummary& summary) {
        lanes_.maximumPressure[lane] = summary.maximumPressure;
        lanes_.maximumPistonVelocity[lane] = summary.maximumPistonVelocity;
        lanes_.maximumTemperature[lane] = summary.maximumTemperature;
        lanes_.lastPressure[lane] = summary.last.pressure;
        lanes_.lastPistonVelocity[lane] = summary.last.pistonVelocity;
        lanes_.lastTemperature[lane] = summary.last.temperature;
        lanes_.lastBulletVelocity[lane] = summary.last.bulletVelocity;
    }

    typename Model::SmoothProgress ProgressOfLane(size_t lane) const {
        typename Model::SmoothProgress shot;
        for (size_t i = 0; i < shot.y.size(); ++i) {
            shot.y[i] = lanes_.state[i][lane];
        }
        shot.regime.pistonBack = lanes_.pistonBack[lane] != 0;
        shot.regime.pistonAtRest = lanes_.pistonAtRest[lane] != 0;
        shot.regime.bulletReleased = lanes_.bulletReleased[lane] != 0;
        shot.summary = SummaryOfLane(lane);
        shot.stepIndex = static_cast<int>(lanes_.stepIndex[lane]);
        return shot;
    }

    void StoreProgress(size_t lane, const typename Model::SmoothProgress& shot) {
        for (size_t i = 0; i < shot.y.size(); ++i) {
            lanes_.state[i][lane] = shot.y[i];
        }
        lanes_.pistonBack[lane] = shot.regime.pistonBack ? 1 : 0;
        lanes_.pistonAtRest[lane] = shot.regime.pistonAtRest ? 1 : 0;
        lanes_.bulletReleased[lane] = shot.regime.bulletReleased ? 1 : 0;
        StoreSummary(lane, shot.summary);
        lanes_.stepIndex[lane] = shot.stepIndex;
    }

    // The lane of a smooth shot after the kernel stopped: at the step limit its shot ended; with
    // an event within its next step, that step runs here, and may end the shot. False when
    // another lane moved into it, whose step is still to settle.
    bool SettleSmoothLane(size_t lane) {
        const size_t shot = shotOfLane_[lane];
        if (lanes_.stepLimitReached[lane] != 0) {
            figures_[shot] = ShotFigures{StepLimitMessage};
            return TakeNextShot(lane);
        }
        if (lanes_.eventInStep[lane] == 0) {
            return true;
        }
        auto progress = ProgressOfLane(lane);
        if (SmoothStepping::StepWithEvents(progress, Model::CoefficientsOf(inputs_[shot]))) {
            figures_[shot] = SmoothStepping::FiguresAtTheMuzzle(progress, inputs_[shot].BulletMass);
            return TakeNextShot(lane);
        }
        if (progress.stepIndex >= StepLimit) {
            figures_[shot] = ShotFigures{StepLimitMessage};
            return TakeNextShot(lane);
        }
        StoreProgress(lane, progress);
        return true;
    }

    // The lane after the kernel stopped: its shot goes on, or it ended and the lane takes the
    // next shot. False when another lane moved into it, whose step is still to settle.
    bool SettleLane(size_t lane) {
        const size_t shot = shotOfLane_[lane];
        const ModelInputs& inputs = inputs_[shot];
        const double n = lanes_.stepIndex[lane];
        // Each step's time is worked out as the single shot records it.
        const bool timeFarFromLimit = StepEndTime(n, inputs.TimeStep) < NearDoubleLimit;
        if (lanes_.stepLimitReached[lane] != 0) {
            if (timeFarFromLimit) {
                figures_[shot] = ShotFigures{StepLimitMessage};
            } else {
                RunAlone(shot);
            }
            return TakeNextShot(lane);
        }
        if (lanes_.muzzleReached[lane] != 0) {
            if (timeFarFromLimit && lanes_.largestTravel[lane] < NearDoubleLimit) {
                figures_[shot] =
                    CompletedShotFigures(SummaryOfLane(lane), static_cast<int>(n) - 1,
                                         lanes_.entryBulletVelocity[lane], inputs.BulletMass);
            } else {
                RunAlone(shot);
            }
            return TakeNextShot(lane);
        }
        // The step counts: the summary takes its entry, and the next step follows.
        ShotSummary summary = SummaryOfLane(lane);
        StepEntry entry{};
        entry.pressure = lanes_.entryPressure[lane];
        entry.pistonVelocity = lanes_.entryPistonVelocity[lane];
        entry.temperature = lanes_.entryTemperature[lane];
        entry.bulletVelocity = lanes_.entryBulletVelocity[lane];
        summary.AddCountedEntry(entry);
        StoreSummary(lane, summary);
        lanes_.stepIndex[lane] = n + 1;
        return true;
    }

    // The lane whose shot ended takes the next shot; when none is left, the last running lane
    // moves into its place.
    bool TakeNextShot(size_t lane) {
        if (StartNextShot(lane)) {
            return true;
        }
        --runningLanes_;
        if (lane == runningLanes_) {
            return true;
        }
        VisitLaneColumns(
            lanes_, [this, lane](LaneColumn& column) { column[lane] = column[runningLanes_]; });
        shotOfLane_[lane] = shotOfLane_[runningLanes_];
        return false;
    }

    void RunAlone(size_t shot) {
        const FloatingPointFaultsKeptAside lanesFaults;
        figures_[shot] = ComputeShotFiguresOneByOne(inputs_[shot], scratch_);
    }

    std::span<const ModelInputs> inputs_;
    std::span<ShotFigures> figures_;
    SimulationResult& scratch_;
    const ShotLaneKernel& kernel_;
    const bool smooth_;
    typename Model::Lanes lanes_{};
    std::array<size_t, MaxShotLanes> shotOfLane_{};
    size_t runningLanes_ = 0;
    size_t nextShot_ = 0;
};

}  // namespace

void ComputeShotFigures(std::span<const ModelInputs> completedInputs,
                        std::span<ShotFigures> figures, SimulationResult& scratch,
                        const ShotLaneKernel& kernel, ShotComputation computation) {
    LaneScheduler<BasicModelShots>(completedInputs, figures, scratch, kernel, computation).Run();
    LaneScheduler<ExtendedModelShots>(completedInputs, figures, scratch, kernel, computation).Run();
}
