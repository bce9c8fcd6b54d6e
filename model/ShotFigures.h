#pragma once
// The figures of a shot as the compute command's summary shows them.

#include <string>

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
