// The lane kernels, compiled by Highway once for each instruction set: AVX-512, AVX2, and the
// baseline of the build as the fallback. This file is included again for each of them.

#include "model/ShotLanes.h"

#include <array>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "model/ModelInputs.h"
#include "model/ResultSeries.h"
#include "model/ShotEngine.h"

// SSSE3 and SSE4 would add compile time and a path to prove, and nothing this arithmetic uses
// beyond the baseline's SSE2.
#ifndef HWY_DISABLED_TARGETS
#define HWY_DISABLED_TARGETS (HWY_SSSE3 | HWY_SSE4)
#endif
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "model/ShotLanes.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace LaneKernelCode::HWY_NAMESPACE {

// Vectors stepped together: enough independent arithmetic in flight to keep the divider busy
// while each waits on its own, few enough to stay in the registers. Measured on every
// instruction set: a third or fourth vector spills the state of a step to memory and costs more
// than it hides (the baseline's four shots in the lanes were slower than one by one on the
// smooth computation, and sixteen AVX2 lanes ran at half the speed of eight).
constexpr size_t PackVectors = 2;
// The extended model's step holds more state and coefficients.
constexpr size_t ExtendedPackVectors = 2;

#include "model/LanePack-inl.h"

// In this order: each builds on those before it.
#include "model/ShotStepArithmetic-inl.h"

#include "model/PowerArithmetic-inl.h"

#include "model/ExtendedStepArithmetic-inl.h"

#include "model/LaneColumns-inl.h"

template <size_t K>
HWY_INLINE ShotCoefficients<Pack<K>> LoadCoefficients(ShotLanes& lanes) {
    ShotCoefficients<Pack<K>> c;
    size_t coefficient = 0;
    VisitCoefficients(
        c, [&](Pack<K>& value) HWY_ATTR { value = Load<K>(lanes.coefficients[coefficient++]); });
    return c;
}

template <size_t K>
HWY_INLINE ExtendedShotCoefficients<Pack<K>> LoadCoefficients(ExtendedShotLanes& lanes) {
    ExtendedShotCoefficients<Pack<K>> c;
    size_t coefficient = 0;
    VisitExtendedCoefficients(
        c, [&](Pack<K>& value) HWY_ATTR { value = Load<K>(lanes.coefficients[coefficient++]); });
    return c;
}

// The air's temperature in display units from its pressure × volume (J).
template <size_t K>
HWY_INLINE Pack<K> ShownTemperatureOf(const Pack<K>& pressureVolume,
                                      const ShotCoefficients<Pack<K>>& c) {
    return InDisplayUnit<&SimulationResult::Temperature>(AirTemperatureOf(pressureVolume, c));
}

template <size_t K>
HWY_NOINLINE void StepPacks(ShotLanes& lanes) {
    const ShotCoefficients<Pack<K>> c = LoadCoefficients<K>(lanes);
    BasicShotState<Pack<K>> y = LoadState<K>(lanes);
    Pack<K> n = Load<K>(lanes.stepIndex);
    PackMask<K> bulletReleased = Load<K>(lanes.bulletReleased) > 0.0;
    BasicShotSummary<Pack<K>> summary = LoadSummary<K>(lanes);
    Pack<K> largestTravel = Load<K>(lanes.largestTravel);
    // The temperature is the air's pressure × volume divided by its mass and multiplied by a
    // constant, each rounding growing with it: the largest temperature is that of the largest
    // pressure × volume. The summary's temperatures go in pressure × volume while the lanes
    // step, and the divisions run when they stop.
    const Pack<K> maximumTemperature = summary.maximumTemperature;
    const Pack<K> lastTemperature = summary.last.temperature;
    summary.maximumTemperature = Pack<K>();
    summary.last.temperature = Pack<K>();
    bool counted = false;

    for (;;) {
        BasicStepEntry<Pack<K>> entry = IntegrateStep(y, n, c);
        const StepEnds<PackMask<K>> ends = SettleStep(y, entry, n, c, bulletReleased);
        BasicStepEntry<Pack<K>> shown = InDisplayUnits(entry);
        for (size_t i = 0; i < K; ++i) {
            largestTravel.v[i] = hn::Max(
                largestTravel.v[i],
                hn::Max(hn::Abs(entry.pistonTravel.v[i]), hn::Abs(entry.bulletTravel.v[i])));
        }
        if (AnyTrue(Or(ends.stepLimit, ends.muzzle))) {
            Store(shown.pressure, lanes.entryPressure);
            Store(shown.pistonVelocity, lanes.entryPistonVelocity);
            Store(ShownTemperatureOf(y[PressureVolumeComponent], c), lanes.entryTemperature);
            Store(shown.bulletVelocity, lanes.entryBulletVelocity);
            Store(ends.stepLimit, lanes.stepLimitReached);
            Store(ends.muzzle, lanes.muzzleReached);
            break;
        }
        shown.temperature = y[PressureVolumeComponent];
        summary.AddCountedEntry(shown);
        counted = true;
        n = n + 1.0;
    }
    if (counted) {
        summary.maximumTemperature =
            Larger(Larger(maximumTemperature, lastTemperature),
                   ShownTemperatureOf(summary.maximumTemperature, c));
        summary.last.temperature = ShownTemperatureOf(summary.last.temperature, c);
    } else {
        summary.maximumTemperature = maximumTemperature;
        summary.last.temperature = lastTemperature;
    }

    StoreState(y, lanes);
    Store(n, lanes.stepIndex);
    Store(bulletReleased, lanes.bulletReleased);
    StoreSummary(summary, lanes);
    Store(largestTravel, lanes.largestTravel);
}

// The extended model's designed steps, as StepPacks runs the basic model's. Its temperatures
// are the air's own: each volume has its own mass, so there is no p·V to keep instead.
template <size_t K>
HWY_NOINLINE void StepExtendedPacks(ExtendedShotLanes& lanes) {
    const ExtendedShotCoefficients<Pack<K>> c = LoadCoefficients<K>(lanes);
    auto y = LoadState<K>(lanes);
    Pack<K> n = Load<K>(lanes.stepIndex);
    PackMask<K> bulletReleased = Load<K>(lanes.bulletReleased) > 0.0;
    BasicShotSummary<Pack<K>> summary = LoadSummary<K>(lanes);
    Pack<K> largestTravel = Load<K>(lanes.largestTravel);

    for (;;) {
        ExtendedStepEntry<Pack<K>> entry = IntegrateExtendedStep<false>(y, n, c);
        const StepEnds<PackMask<K>> ends = SettleExtendedStep(y, entry, n, c, bulletReleased);
        const BasicStepEntry<Pack<K>> shown = InDisplayUnits(entry.basic);
        for (size_t i = 0; i < K; ++i) {
            largestTravel.v[i] =
                hn::Max(largestTravel.v[i], hn::Max(hn::Abs(entry.basic.pistonTravel.v[i]),
                                                    hn::Abs(entry.basic.bulletTravel.v[i])));
        }
        if (AnyTrue(Or(ends.stepLimit, ends.muzzle))) {
            Store(shown.pressure, lanes.entryPressure);
            Store(shown.pistonVelocity, lanes.entryPistonVelocity);
            Store(shown.temperature, lanes.entryTemperature);
            Store(shown.bulletVelocity, lanes.entryBulletVelocity);
            Store(ends.stepLimit, lanes.stepLimitReached);
            Store(ends.muzzle, lanes.muzzleReached);
            break;
        }
        summary.AddCountedEntry(shown);
        n = n + 1.0;
    }

    StoreState<K>(y, lanes);
    Store(n, lanes.stepIndex);
    Store(bulletReleased, lanes.bulletReleased);
    StoreSummary(summary, lanes);
    Store(largestTravel, lanes.largestTravel);
}

// The smooth steps of either model's lanes.
template <size_t K, class Lanes>
HWY_NOINLINE void StepSmoothPacks(Lanes& lanes) {
    const auto c = LoadCoefficients<K>(lanes);
    auto y = LoadState<K>(lanes);
    Pack<K> n = Load<K>(lanes.stepIndex);
    BasicShotRegime<PackMask<K>> regime;
    regime.pistonBack = Load<K>(lanes.pistonBack) > 0.0;
    regime.pistonAtRest = Load<K>(lanes.pistonAtRest) > 0.0;
    regime.bulletReleased = Load<K>(lanes.bulletReleased) > 0.0;
    BasicShotSummary<Pack<K>> summary = LoadSummary<K>(lanes);
    const PackMask<K> none = Pack<K>() < 0.0;

    for (;;) {
        const auto end = AdvanceInRegime(y, c.timeStep, c, regime);
        // The piston's drives at rest cost two evaluations of the derivatives each; they are
        // only worked out while a piston is at rest.
        const bool anyAtRest = AnyTrue(regime.pistonAtRest);
        PackMask<K> event = none;
        for (const ShotEvent kind : AllShotEvents) {
            if (anyAtRest || !IsPistonAtRestEvent(kind)) {
                event = Or(event, EventWithin(kind, y, end, c, regime));
            }
        }
        if (AnyTrue(event)) {
            Store(event, lanes.eventInStep);
            Store(none, lanes.stepLimitReached);
            break;
        }
        y = end;
        TakeReachedState(summary, y, c);
        n = n + 1.0;
        const PackMask<K> stepLimit = n >= static_cast<double>(StepLimit);
        if (AnyTrue(stepLimit)) {
            Store(none, lanes.eventInStep);
            Store(stepLimit, lanes.stepLimitReached);
            break;
        }
    }

    StoreState<K>(y, lanes);
    Store(n, lanes.stepIndex);
    StoreSummary(summary, lanes);
}

// Steps as few vectors as hold the lanes: a batch's last shots need not wait on idle ones.
template <size_t K, bool smooth, class Lanes>
void StepVectors(Lanes& lanes, size_t vectors) {
    if constexpr (K > 1) {
        if (vectors < K) {
            StepVectors<K - 1, smooth>(lanes, vectors);
            return;
        }
    }
    if constexpr (smooth) {
        StepSmoothPacks<K>(lanes);
    } else if constexpr (std::is_same_v<Lanes, ShotLanes>) {
        StepPacks<K>(lanes);
    } else {
        StepExtendedPacks<K>(lanes);
    }
}

size_t VectorsOf(size_t laneCount) {
    const size_t vectorLanes = hn::Lanes(Tag());
    return (laneCount + vectorLanes - 1) / vectorLanes;
}

void StepUntilAShotEnds(ShotLanes& lanes, size_t laneCount) {
    StepVectors<PackVectors, false>(lanes, VectorsOf(laneCount));
}

void StepSmoothUntilAnEvent(ShotLanes& lanes, size_t laneCount) {
    StepVectors<PackVectors, true>(lanes, VectorsOf(laneCount));
}

void StepExtendedUntilAShotEnds(ExtendedShotLanes& lanes, size_t laneCount) {
    StepVectors<ExtendedPackVectors, false>(lanes, VectorsOf(laneCount));
}

void StepExtendedSmoothUntilAnEvent(ExtendedShotLanes& lanes, size_t laneCount) {
    StepVectors<ExtendedPackVectors, true>(lanes, VectorsOf(laneCount));
}

ShotLaneKernel Kernel(const char* instructionSet) {
    const size_t vectorLanes = hn::Lanes(Tag());
    return {instructionSet,
            vectorLanes,
            PackVectors * vectorLanes,
            &StepUntilAShotEnds,
            &StepSmoothUntilAnEvent,
            ExtendedPackVectors * vectorLanes,
            &StepExtendedUntilAShotEnds,
            &StepExtendedSmoothUntilAnEvent};
}

static_assert(PackVectors * HWY_LANES(double) <= MaxShotLanes);

}  // namespace LaneKernelCode::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE

namespace {

using Kernels = std::vector<ShotLaneKernel>;

// A kernel's own code may use its instructions, so it is only called where they run.
Kernels KernelsThatRun() {
    Kernels kernels;
    [[maybe_unused]] const int64_t supported = hwy::SupportedTargets();
#if HWY_TARGETS & HWY_AVX3
    if ((supported & HWY_AVX3) != 0) {
        kernels.push_back(LaneKernelCode::N_AVX3::Kernel("AVX-512"));
    }
#endif
#if HWY_TARGETS & HWY_AVX2
    if ((supported & HWY_AVX2) != 0) {
        kernels.push_back(LaneKernelCode::N_AVX2::Kernel("AVX2"));
    }
#endif
    // The baseline build runs everywhere the program does.
    kernels.push_back(LaneKernelCode::HWY_STATIC_DISPATCH(Kernel)("baseline"));
    return kernels;
}

}  // namespace

std::span<const ShotLaneKernel> ShotLaneKernels() {
    static const Kernels kernels = KernelsThatRun();
    return kernels;
}

#endif  // HWY_ONCE
