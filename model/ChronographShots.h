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

// Reads the CSV text. The header (the first line that is not blank) names one weight column,
// bullet_weight_g or bullet_weight_gr (grains), and one velocity column, velocity_m_s or
// velocity_fps (feet per second), in any case; other columns are ignored, fields may be
// quoted, blank lines are skipped. Numbers take a point. A shot must lie within what the model
// computes (docs/chronograph-shots.md). Ends the command (CommandAbort) when the text is
// UTF-16 or ends its lines in CR alone, when the header lacks a column or names one twice,
// when no shot follows, or when rows are bad: then with one line for each of the first ten
// bad rows, each naming fileName and the row's line number, and a count of the rest. Memory
// beyond the shots stays bounded whatever the lines hold.
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
