#pragma once
// Many independent shots at once, for sweeps over a gun's parameters. A shot waits most of
// its time on divisions and square roots; running several side by side on one thread lets one
// shot's arithmetic fill another's waiting. Every shot's figures are those the compute command
// would give for it, to the bit.

#include <span>
#include <string>

#include "model/ModelInputs.h"
#include "model/SimulationResult.h"

// The figures of a shot as the compute command's summary shows them.
struct ShotFigures {
    std::string failure;  // the message the command would end with; empty when it completed
    int lastIndex = 0;
    double maximumPressure = 0;        // MPa
    double maximumPistonVelocity = 0;  // m/s
    double maximumTemperature = 0;     // K
    double muzzleVelocity = 0;         // m/s
    double bulletEnergy = 0;           // J

    bool operator==(const ShotFigures&) const = default;
};

// One shot through the compute command's own steps (the engine, the display units, the
// summary), for inputs that passed the checks and were completed. The scratch result is
// overwritten.
ShotFigures ComputeShotFiguresOneByOne(const ModelInputs& completedInputs,
                                       SimulationResult& scratch);

// The figures of every shot, computed several at a time; the same as ComputeShotFiguresOneByOne
// gives for each. The scratch result serves the rare shot that must be run alone (one whose
// arithmetic fails, or whose values come near the limits of a double).
void ComputeShotFigures(std::span<const ModelInputs> completedInputs,
                        std::span<ShotFigures> figures, SimulationResult& scratch);

// The same spread over threads (0: one per core). The figures don't depend on the count.
void ComputeShotFiguresOnThreads(std::span<const ModelInputs> completedInputs,
                                 std::span<ShotFigures> figures, unsigned threads);
