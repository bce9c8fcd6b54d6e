// The lane kernels, compiled by Highway once for each instruction set: AVX-512, AVX2, and the
// baseline of the build as the fallback. This file is included again for each of them.

#include "model/ShotLanes.h"

#include <array>
#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/ModelInputs.h"
#include "model/ResultSeries.h"
#include "model/ShotEngine.h"
#include "model/SubsonicFlowFit.h"

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

// Enough independent arithmetic in flight to keep the divider busy while each vector waits on
// its own, few enough vectors to stay in the registers.
//
// The smooth computation packs its vectors into one value (StepSmoothPacks). Measured on every
// instruction set: a third or fourth packed vector spills the state of a step to memory and
// costs more than it hides (the baseline's four shots in the lanes were slower than one by one,
// and twelve AVX2 lanes ran at 0.6 times the speed of eight).
constexpr size_t PackVectors = 2;
// The extended model's step holds more state and coefficients: its smooth computation packs
// two vectors, its designed computation steps groups (StepExtendedGroups).
constexpr size_t ExtendedPackVectors = 2;
constexpr size_t ExtendedGroupVectors = 3;

// The designed computation steps its vectors as groups of their own, one evaluation of each
// group in turn (StepGroups): a group holds the registers only while its evaluation runs, so a
// third group fills the waiting rather than spilling it. Measured against two packed vectors,
// three groups step 1.3 (AVX2), 1.1 (AVX-512) and 1.2 (baseline) times the shots; a fourth
// AVX2 group gains nothing.
constexpr size_t GroupVectors = 3;

#include "model/LanePack-inl.h"

// In this order: each builds on those before it.
#include "model/ShotStepArithmetic-inl.h"

#include "model/PowerArithmetic-inl.h"

#include "model/ExtendedStepArithmetic-inl.h"

#include "model/LaneColumns-inl.h"

// The model's visit of its coefficients, in the order its lanes keep them.
template <class T, class Visit>
HWY_INLINE void VisitModelCoefficients(ShotCoefficients<T>& c, Visit&& visit) {
    VisitCoefficients(c, visit);
}

template <class T, class Visit>
HWY_INLINE void VisitModelCoefficients(ExtendedShotCoefficients<T>& c, Visit&& visit) {
    VisitExtendedCoefficients(c, visit);
}

template <size_t K, class Lanes>
using LaneCoefficientsOf =
    std::conditional_t<std::is_same_v<Lanes, ShotLanes>, ShotCoefficients<Pack<K>>,
                       ExtendedShotCoefficients<Pack<K>>>;

// The coefficients of K vectors of lanes from the vector first on.
template <size_t K, class Lanes>
HWY_INLINE LaneCoefficientsOf<K, Lanes> LoadCoefficients(const Lanes& lanes, size_t first = 0) {
    LaneCoefficientsOf<K, Lanes> c;
    size_t coefficient = 0;
    VisitModelCoefficients(c, [&](Pack<K>& value) HWY_ATTR {
        value = Load<K>(lanes.coefficients[coefficient++], first);
    });
    return c;
}

// The air's temperature in display units from its pressure × volume (J).
template <size_t K>
HWY_INLINE Pack<K> ShownTemperatureOf(const Pack<K>& pressureVolume,
                                      const ShotCoefficients<Pack<K>>& c) {
    return InDisplayUnit<&SimulationResult::Temperature>(AirTemperatureOf(pressureVolume, c));
}

// A lambda the kernel's code inlines, for the instructions of its target.
#define VELLORAN_KERNEL_LAMBDA HWY_ATTR __attribute__((always_inline))

// Calls body(0), body(1), ..., body(K - 1), written out one after another.
template <size_t K, class Body>
HWY_INLINE void ForEachIndex(Body&& body) {
    [&]<size_t... group>(std::index_sequence<group...>) VELLORAN_KERNEL_LAMBDA {
        (body(group), ...);
    }
    (std::make_index_sequence<K>());
}

// The summary of a vector of lanes (BasicShotSummary) without the entries' other values. Built of
// vectors only: a structure with initializers of its own would need code compiled without the
// instruction set.
struct LaneSummary {
    Pack<1> maximumPressure;
    Pack<1> maximumPistonVelocity;
    Pack<1> maximumTemperature;
    Pack<1> lastPressure;
    Pack<1> lastPistonVelocity;
    Pack<1> lastTemperature;
    Pack<1> lastBulletVelocity;
};

template <class Lanes>
HWY_INLINE LaneSummary LoadLaneSummary(const Lanes& lanes, size_t vector) {
    return {Load<1>(lanes.maximumPressure, vector),    Load<1>(lanes.maximumPistonVelocity, vector),
            Load<1>(lanes.maximumTemperature, vector), Load<1>(lanes.lastPressure, vector),
            Load<1>(lanes.lastPistonVelocity, vector), Load<1>(lanes.lastTemperature, vector),
            Load<1>(lanes.lastBulletVelocity, vector)};
}

template <class Lanes>
HWY_INLINE void StoreLaneSummary(const LaneSummary& summary, Lanes& lanes, size_t vector) {
    Store(summary.maximumPressure, lanes.maximumPressure, vector);
    Store(summary.maximumPistonVelocity, lanes.maximumPistonVelocity, vector);
    Store(summary.maximumTemperature, lanes.maximumTemperature, vector);
    Store(summary.lastPressure, lanes.lastPressure, vector);
    Store(summary.lastPistonVelocity, lanes.lastPistonVelocity, vector);
    Store(summary.lastTemperature, lanes.lastTemperature, vector);
    Store(summary.lastBulletVelocity, lanes.lastBulletVelocity, vector);
}

// One vector of lanes as the designed computation steps it: its guns, its shots, their summaries
// so far with the temperatures in pressure × volume (StepGroups), and the temperatures in the
// lanes when the kernel began.
struct LaneGroup {
    ShotCoefficients<Pack<1>> c;
    BasicShotState<Pack<1>> y;
    Pack<1> n;
    PackMask<1> bulletReleased;
    LaneSummary summary;
    Pack<1> largestTravel;
    Pack<1> maximumTemperature;
    Pack<1> lastTemperature;
};

// A group's columns, for the groups of either model.
template <class Group, class Lanes>
HWY_INLINE void LoadGroupColumns(Group& group, const Lanes& lanes, size_t vector) {
    group.c = LoadCoefficients<1>(lanes, vector);
    group.y = LoadState<1>(lanes, vector);
    group.n = Load<1>(lanes.stepIndex, vector);
    group.bulletReleased = Load<1>(lanes.bulletReleased, vector) > 0.0;
    group.summary = LoadLaneSummary(lanes, vector);
    group.largestTravel = Load<1>(lanes.largestTravel, vector);
}

template <class Group, class Lanes>
HWY_INLINE void StoreGroupColumns(const Group& group, Lanes& lanes, size_t vector) {
    StoreState<1>(group.y, lanes, vector);
    Store(group.n, lanes.stepIndex, vector);
    Store(group.bulletReleased, lanes.bulletReleased, vector);
    StoreLaneSummary(group.summary, lanes, vector);
    Store(group.largestTravel, lanes.largestTravel, vector);
}

HWY_INLINE void LoadGroup(LaneGroup& group, ShotLanes& lanes, size_t vector) {
    LoadGroupColumns(group, lanes, vector);
    group.maximumTemperature = group.summary.maximumTemperature;
    group.lastTemperature = group.summary.lastTemperature;
    group.summary.maximumTemperature = Pack<1>();
    group.summary.lastTemperature = Pack<1>();
}

// counted: whether the summaries took an entry since the kernel began.
HWY_INLINE void StoreGroup(LaneGroup& group, ShotLanes& lanes, size_t vector, bool counted) {
    LaneSummary& summary = group.summary;
    if (counted) {
        summary.maximumTemperature =
            Larger(Larger(group.maximumTemperature, group.lastTemperature),
                   ShownTemperatureOf(summary.maximumTemperature, group.c));
        summary.lastTemperature = ShownTemperatureOf(summary.lastTemperature, group.c);
    } else {
        summary.maximumTemperature = group.maximumTemperature;
        summary.lastTemperature = group.lastTemperature;
    }
    StoreGroupColumns(group, lanes, vector);
}

// What the summary and the lanes take of a step's entry, in display units.
struct ShownFigures {
    Pack<1> pressure;
    Pack<1> pistonVelocity;
    Pack<1> bulletVelocity;
};

// BasicShotSummary::AddCountedEntry.
HWY_INLINE void AddCountedEntry(LaneSummary& summary, const ShownFigures& shown,
                                const Pack<1>& temperature) {
    BasicShotSummary<Pack<1>> whole;
    whole.maximumPressure = summary.maximumPressure;
    whole.maximumPistonVelocity = summary.maximumPistonVelocity;
    whole.maximumTemperature = summary.maximumTemperature;
    whole.last.pressure = summary.lastPressure;
    whole.last.pistonVelocity = summary.lastPistonVelocity;
    whole.last.temperature = summary.lastTemperature;
    BasicStepEntry<Pack<1>> entry{};
    entry.pressure = shown.pressure;
    entry.pistonVelocity = shown.pistonVelocity;
    entry.temperature = temperature;
    entry.bulletVelocity = shown.bulletVelocity;
    whole.AddCountedEntry(entry);
    summary = {whole.maximumPressure,    whole.maximumPistonVelocity, whole.maximumTemperature,
               whole.last.pressure,      whole.last.pistonVelocity,   whole.last.temperature,
               whole.last.bulletVelocity};
}

// The designed computation's kernel over the first K vectors of the lanes.
template <size_t K>
HWY_NOINLINE void StepGroups(ShotLanes& lanes) {
    using T = Pack<1>;
    std::array<LaneGroup, K> groups;
    ForEachIndex<K>([&](size_t g) VELLORAN_KERNEL_LAMBDA { LoadGroup(groups[g], lanes, g); });
    // The temperature is the air's pressure × volume divided by its mass and multiplied by a
    // constant, each rounding growing with it: the largest temperature is that of the largest
    // pressure × volume. The summaries' temperatures go in pressure × volume while the lanes
    // step, and the divisions run when they stop.
    bool counted = false;

    for (;;) {
        std::array<StepStages<T>, K> stages;
        ForEachIndex<K>([&](size_t g) VELLORAN_KERNEL_LAMBDA {
            stages[g] = FirstStage(groups[g].y, groups[g].c);
        });
        ForEachIndex<K>([&](size_t g) VELLORAN_KERNEL_LAMBDA {
            MiddleStage(stages[g], groups[g].y, groups[g].c);
        });
        ForEachIndex<K>([&](size_t g) VELLORAN_KERNEL_LAMBDA {
            MiddleStage(stages[g], groups[g].y, groups[g].c);
        });
        std::array<ShownFigures, K> shown;
        std::array<StepEnds<PackMask<1>>, K> ends;
        PackMask<K> ended;
        ForEachIndex<K>([&](size_t g) VELLORAN_KERNEL_LAMBDA {
            LaneGroup& group = groups[g];
            LastStage(stages[g], group.y, group.c);
            BasicStepEntry<T> entry{};
            entry.pressure = PressureOfState(group.y, group.c);
            ends[g] = SettleStep(group.y, entry, group.n, group.c, group.bulletReleased);
            const BasicStepEntry<T> inDisplayUnits = InDisplayUnits(entry);
            shown[g] = {inDisplayUnits.pressure, inDisplayUnits.pistonVelocity,
                        inDisplayUnits.bulletVelocity};
            group.largestTravel.v[0] = hn::Max(
                group.largestTravel.v[0],
                hn::Max(hn::Abs(entry.pistonTravel.v[0]), hn::Abs(entry.bulletTravel.v[0])));
            ended.m[g] = hn::Or(ends[g].stepLimit.m[0], ends[g].muzzle.m[0]);
        });
        if (AnyTrue(ended)) {
            ForEachIndex<K>([&](size_t g) VELLORAN_KERNEL_LAMBDA {
                Store(shown[g].pressure, lanes.entryPressure, g);
                Store(shown[g].pistonVelocity, lanes.entryPistonVelocity, g);
                Store(ShownTemperatureOf(groups[g].y[PressureVolumeComponent], groups[g].c),
                      lanes.entryTemperature, g);
                Store(shown[g].bulletVelocity, lanes.entryBulletVelocity, g);
                Store(ends[g].stepLimit, lanes.stepLimitReached, g);
                Store(ends[g].muzzle, lanes.muzzleReached, g);
            });
            break;
        }
        ForEachIndex<K>([&](size_t g) VELLORAN_KERNEL_LAMBDA {
            LaneGroup& group = groups[g];
            AddCountedEntry(group.summary, shown[g], group.y[PressureVolumeComponent]);
            group.n = group.n + 1.0;
        });
        counted = true;
    }
    ForEachIndex<K>([&](size_t g)
                        VELLORAN_KERNEL_LAMBDA { StoreGroup(groups[g], lanes, g, counted); });
}

// One vector of the extended model's lanes as the designed computation steps it: its guns, its
// shots with the latest stage's increments and the step's weighted sum, and their summaries so
// far. Its temperatures are the air's own: each volume has its own mass, so there is no p·V to
// keep instead. Built of vectors only, as LaneSummary.
struct ExtendedLaneGroup {
    using State = LaneStateOf<1, ExtendedShotLanes>;
    ExtendedShotCoefficients<Pack<1>> c;
    State y;
    State k;
    State sum;
    Pack<1> n;
    PackMask<1> bulletReleased;
    LaneSummary summary;
    Pack<1> largestTravel;
};

// The extended model's designed kernel over the first vectors of the lanes (at most
// ExtendedGroupVectors), a stage of each group in turn as StepGroups steps the basic model's.
// An evaluation of the extended model holds too many values for the registers of more than one
// vector, so the groups are a loop while the four stages are written out: each stage's
// evaluation stands once in the code, and a group's values wait in memory while the others run.
HWY_NOINLINE void StepExtendedGroups(ExtendedShotLanes& lanes, size_t vectors) {
    std::array<ExtendedLaneGroup, ExtendedGroupVectors> groups;
    for (size_t g = 0; g < vectors; ++g) {
        LoadGroupColumns(groups[g], lanes, g);
    }

    for (;;) {
        ForEachIndex<4>([&](size_t stage) VELLORAN_KERNEL_LAMBDA {
            for (size_t g = 0; g < vectors; ++g) {
                ExtendedLaneGroup& group = groups[g];
                group.k = DesignedIncrements(StageState(group.y, group.k, static_cast<int>(stage)),
                                             group.c);
                TakeStage(group.y, group.sum, group.k, static_cast<int>(stage));
            }
        });
        std::array<BasicStepEntry<Pack<1>>, ExtendedGroupVectors> shown;
        std::array<StepEnds<PackMask<1>>, ExtendedGroupVectors> ends{};
        bool anyEnded = false;
        for (size_t g = 0; g < vectors; ++g) {
            ExtendedLaneGroup& group = groups[g];
            ExtendedStepEntry<Pack<1>> entry = ExtendedEntryOf<false>(group.y, group.c);
            ends[g] = SettleExtendedStep(group.y, entry, group.n, group.c, group.bulletReleased);
            shown[g] = InDisplayUnits(entry.basic);
            group.largestTravel.v[0] =
                hn::Max(group.largestTravel.v[0], hn::Max(hn::Abs(entry.basic.pistonTravel.v[0]),
                                                          hn::Abs(entry.basic.bulletTravel.v[0])));
            anyEnded = anyEnded || AnyTrue(Or(ends[g].stepLimit, ends[g].muzzle));
        }
        if (anyEnded) {
            for (size_t g = 0; g < vectors; ++g) {
                Store(shown[g].pressure, lanes.entryPressure, g);
                Store(shown[g].pistonVelocity, lanes.entryPistonVelocity, g);
                Store(shown[g].temperature, lanes.entryTemperature, g);
                Store(shown[g].bulletVelocity, lanes.entryBulletVelocity, g);
                Store(ends[g].stepLimit, lanes.stepLimitReached, g);
                Store(ends[g].muzzle, lanes.muzzleReached, g);
            }
            break;
        }
        for (size_t g = 0; g < vectors; ++g) {
            AddCountedEntry(groups[g].summary,
                            {shown[g].pressure, shown[g].pistonVelocity, shown[g].bulletVelocity},
                            shown[g].temperature);
            groups[g].n = groups[g].n + 1.0;
        }
    }

    for (size_t g = 0; g < vectors; ++g) {
        StoreGroupColumns(groups[g], lanes, g);
    }
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
    } else {
        StepGroups<K>(lanes);
    }
}

size_t VectorsOf(size_t laneCount) {
    const size_t vectorLanes = hn::Lanes(Tag());
    return (laneCount + vectorLanes - 1) / vectorLanes;
}

void StepUntilAShotEnds(ShotLanes& lanes, size_t laneCount) {
    StepVectors<GroupVectors, false>(lanes, VectorsOf(laneCount));
}

void StepSmoothUntilAnEvent(ShotLanes& lanes, size_t laneCount) {
    StepVectors<PackVectors, true>(lanes, VectorsOf(laneCount));
}

void StepExtendedUntilAShotEnds(ExtendedShotLanes& lanes, size_t laneCount) {
    StepExtendedGroups(lanes, VectorsOf(laneCount));
}

void StepExtendedSmoothUntilAnEvent(ExtendedShotLanes& lanes, size_t laneCount) {
    StepVectors<ExtendedPackVectors, true>(lanes, VectorsOf(laneCount));
}

ShotLaneKernel Kernel(const char* instructionSet) {
    const size_t vectorLanes = hn::Lanes(Tag());
    return {instructionSet,
            vectorLanes,
            GroupVectors * vectorLanes,
            PackVectors * vectorLanes,
            &StepUntilAShotEnds,
            &StepSmoothUntilAnEvent,
            ExtendedGroupVectors * vectorLanes,
            ExtendedPackVectors * vectorLanes,
            &StepExtendedUntilAShotEnds,
            &StepExtendedSmoothUntilAnEvent};
}

static_assert(GroupVectors * HWY_LANES(double) <= MaxShotLanes);
static_assert(PackVectors * HWY_LANES(double) <= MaxShotLanes);
static_assert(ExtendedGroupVectors * HWY_LANES(double) <= MaxShotLanes);

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
