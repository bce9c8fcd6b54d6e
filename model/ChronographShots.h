#pragma once
// Shots measured with a chronograph, read from a CSV file: a header line naming the columns,
// then one row per shot with the pellet's weight and its muzzle velocity.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct MeasuredShot {
    double bulletWeight;  // g
    double velocity;      // m/s
};

// The shot's muzzle energy, J.
double MeasuredEnergy(const MeasuredShot& shot);

// Reads the CSV text. The header names one weight column, bullet_weight_g or bullet_weight_gr
// (grains), and one velocity column, velocity_m_s or velocity_fps (feet per second); other
// columns are ignored, fields may be quoted, blank lines are skipped. Numbers take a point.
// Ends the command (CommandAbort) when the header lacks a column or names one twice, when no
// shot follows, or when rows are bad: then with one line per bad row, each naming fileName
// and the row's line number.
std::vector<MeasuredShot> ReadChronographShots(std::string_view text,
                                               const std::string& fileName);

// The shots of one pellet weight.
struct MeasuredPellet {
    double bulletWeight;  // g
    int shots;
    double meanVelocity;  // m/s
    // m/s, the sample standard deviation (n − 1); none for a single shot
    std::optional<double> velocitySpread;
};

// The pellets of the shots, lightest first; shots of the same weight (as read) are one pellet.
std::vector<MeasuredPellet> MeasuredPellets(std::span<const MeasuredShot> shots);
