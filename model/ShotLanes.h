#pragma once
// Shots stepped side by side, one per lane of the processor's vector registers, for the shot
// batch. A shot waits most of its time on divisions and square roots; a vector divides all
// its lanes at once, and several vectors in flight let one shot's arithmetic fill another's
// waiting. The kernels are compiled for each instruction set they support, and the batch takes
// the best one the processor runs.

#include <array>
#include <cstddef>
#include <span>
#include <string>

#include "model/ExtendedShot.h"
#include "model/ShotStepper.h"

// The most lanes a kernel steps at once.
inline constexpr size_t MaxShotLanes = 32;

using LaneColumn = std::array<double, MaxShotLanes>;

// The shots in the lanes, one column of values per quantity, lane l in element l. A kernel keeps
// them in vector registers while it steps and writes them back when it stops. The basic model's
// shots and the extended model's run in lanes of their own, which differ in their coefficients
// and state.
template <size_t CoefficientCount, size_t ComponentCount>
struct alignas(64) LanesOf {
    // In the order of the model's visit of its coefficients.
    std::array<LaneColumn, CoefficientCount> coefficients;
    std::array<LaneColumn, ComponentCount> state;
    LaneColumn stepIndex;       // of the step to run next, or of the step that ended the shot
    LaneColumn bulletReleased;  // 1 once the bullet was released, else 0
    // The regime of a smooth shot (model/SmoothShot.h): 1 where the piston moves back, 1 where
    // it is at rest.
    LaneColumn pistonBack;
    LaneColumn pistonAtRest;
    // The shot's summary so far (ShotSummary), in display units.
    LaneColumn maximumPressure;
    LaneColumn maximumPistonVelocity;
    LaneColumn maximumTemperature;
    LaneColumn lastPressure;
    LaneColumn lastPistonVelocity;
    LaneColumn lastTemperature;
    LaneColumn lastBulletVelocity;
    // The largest magnitude of the piston's and the bullet's travel in any step so far (m).
    LaneColumn largestTravel;
    // Written when a kernel stops: the entry of the step just run, in display units, and 1
    // where that step ended the lane's shot, else 0.
    LaneColumn entryPressure;
    LaneColumn entryPistonVelocity;
    LaneColumn entryTemperature;
    LaneColumn entryBulletVelocity;
    LaneColumn stepLimitReached;
    LaneColumn muzzleReached;
    // Written when a smooth kernel stops: 1 where an event falls within the next step.
    LaneColumn eventInStep;
};

using ShotLanes = LanesOf<ShotCoefficientCount, ShotComponentCount>;
using ExtendedShotLanes = LanesOf<ExtendedCoefficientCount, ExtendedCoreComponentCount>;

// Calls visit on every column of the lanes.
template <class Lanes, class Visit>
void VisitLaneColumns(Lanes& lanes, Visit&& visit) {
    for (auto& column : lanes.coefficients) {
        visit(column);
    }
    for (auto& column : lanes.state) {
        visit(column);
    }
    for (auto* column :
         {&lanes.stepIndex, &lanes.bulletReleased, &lanes.pistonBack, &lanes.pistonAtRest,
          &lanes.maximumPressure, &lanes.maximumPistonVelocity, &lanes.maximumTemperature,
          &lanes.lastPressure, &lanes.lastPistonVelocity, &lanes.lastTemperature,
          &lanes.lastBulletVelocity, &lanes.largestTravel, &lanes.entryPressure,
          &lanes.entryPistonVelocity, &lanes.entryTemperature, &lanes.entryBulletVelocity,
          &lanes.stepLimitReached, &lanes.muzzleReached, &lanes.eventInStep}) {
        visit(*column);
    }
}

struct ShotLaneKernel {
    const char* instructionSet;  // "AVX-512", "AVX2" or "baseline"
    size_t vectorLanes;          // the lanes of one vector
    size_t lanes;                // the most lanes stepUntilAShotEnds steps at once: whole vectors
    size_t smoothLanes;          // the same for stepSmoothUntilAnEvent
    // Steps the first lanes until a step ends the shot in one of them, and stops after that
    // step: the lanes' state is then the state after it, their step index its index, and
    // their summary has not taken its entry yet. It steps whole vectors: the lanes from
    // laneCount to the end of their vector must hold copies of lane 0. At most MaxShotLanes.
    void (*stepUntilAShotEnds)(ShotLanes& lanes, size_t laneCount);
    // The same for smooth shots (model/SmoothShot.h): steps the first lanes on as long as no
    // event falls within a step. It stops before a step in which an event falls in one of the
    // lanes, with eventInStep 1 there and no lane stepped further, or after a step that brought
    // a lane to the step limit, with stepLimitReached 1 there. The summaries take every state
    // reached.
    void (*stepSmoothUntilAnEvent)(ShotLanes& lanes, size_t laneCount);
    // The same four for the extended model's shots, which step in lanes of their own.
    size_t extendedLanes;
    size_t extendedSmoothLanes;
    void (*stepExtendedUntilAShotEnds)(ExtendedShotLanes& lanes, size_t laneCount);
    void (*stepExtendedSmoothUntilAnEvent)(ExtendedShotLanes& lanes, size_t laneCount);
};

// The kernels this processor runs, the best first; the last is the baseline build's.
std::span<const ShotLaneKernel> ShotLaneKernels();

// The kernel the batches use: the best this processor runs, unless the environment variable
// VELLORAN_LANES names another of them ("AVX2", "baseline"): a diagnostic, to measure an
// instruction set where a better one runs. Read once (model/ShotLaneChoice.cpp).
const ShotLaneKernel& BestShotLaneKernel();

// What the program should say about VELLORAN_LANES before it computes: nothing when it is
// unset or names a kernel this processor runs, else why it names none (the kernels then stay
// the best).
std::string LaneChoiceRefusal();
