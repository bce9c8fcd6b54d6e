#pragma once
// The sixteen numbers and the name that describe a gun, in display units and in the fixed
// order of the entry fields, of the reading and of the report file.

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int GunParameterCount = 16;

enum class GunParameter {
    Caliber,            // mm, bore diameter
    BulletWeight,       // g
    BarrelLength,       // mm, bullet travel from its start position to the muzzle
    BarrelFriction,     // dimensionless
    InitialPressure,    // MPa above ambient that releases the bullet
    PistonWeight,       // kg
    PistonDiameter,     // mm
    PistonFriction,     // dimensionless, packing against the cylinder wall
    PackingThickness,   // mm, axial width of the packing
    SpringWeight,       // kg
    MinimumForce,       // N, spring force at the end of the stroke
    MaximumForce,       // N, spring force with the piston cocked
    PistonStroke,       // mm
    AdiabaticExponent,  // dimensionless
    AirPressure,        // MPa, ambient
    ComputationStep,    // ms, integration time step
};

struct GunParameterInfo {
    const char* fieldName;  // Caliber
    const char* caption;    // "Caliber:"
    const char* unit;       // "mm", or "" for a dimensionless quantity
};

inline constexpr std::array<GunParameterInfo, GunParameterCount> GunParameterTable{{
    {"Caliber", "Caliber:", "mm"},
    {"BulletWeight", "Bullet Weight:", "g"},
    {"BarrelLength", "Barrel Length:", "mm"},
    {"BarrelFriction", "Barrel Friction:", ""},
    {"InitialPressure", "Initial Pressure:", "MPa"},
    {"PistonWeight", "Piston Weight:", "kg"},
    {"PistonDiameter", "Piston Diameter:", "mm"},
    {"PistonFriction", "Piston Friction:", ""},
    {"PackingThickness", "Packing Thickness:", "mm"},
    {"SpringWeight", "Spring Weight:", "kg"},
    {"MinimumForce", "Minimum Force:", "N"},
    {"MaximumForce", "Maximum Force:", "N"},
    {"PistonStroke", "Piston Stroke:", "mm"},
    {"AdiabaticExponent", "Adiabatic Exponent:", ""},
    {"AirPressure", "Air Pressure:", "MPa"},
    {"ComputationStep", "Computation Step:", "ms"},
}};

// The parameter whose field name is given (case-sensitive), if any.
std::optional<GunParameter> GunParameterByFieldName(std::string_view fieldName);

inline constexpr int Index(GunParameter parameter) {
    return static_cast<int>(parameter);
}

// The texts of the sixteen entry fields, as the user typed them.
using GunParameterTexts = std::array<std::string, GunParameterCount>;

struct GunParameters {
    std::array<double, GunParameterCount> values{};
    std::string name;  // GunName; used only by the report file
};
