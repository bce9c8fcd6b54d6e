#pragma once
// The gun converted to SI units, with the quantities derived from it, on which the shot
// simulation works; and the reading, checking and completing of it from the field texts.

#include "model/GunFieldNumbers.h"
#include "model/GunParameters.h"

// Fixed constants of the model.
namespace ModelConstants {
inline constexpr double AirDensity = 1.293;      // kg/m³, air filling the swept volume
inline constexpr double GasConstant = 287;       // J/(kg·K), specific gas constant of air
inline constexpr double PortLength = 0.022;      // m, air passage of bore cross-section
inline constexpr double ColumnFriction = 0.01;   // friction of the air column behind the bullet
inline constexpr double SpringEfficiency = 0.9;  // share of spring force while moving forward
inline constexpr double Pi = 3.14159;            // as the piston formulas write it
inline constexpr double BoreAreaFactor = 0.82;   // bore area over diameter squared, not π/4
}  // namespace ModelConstants

struct ModelInputs {
    double BoreDiameter = 0;           // d, m
    double BoreArea = 0;               // A_b, m²
    double BulletMass = 0;             // m_b, kg
    double BarrelEnd = 0;              // L, m
    double BarrelFrictionFactor = 0;   // φ1
    double StartPressure = 0;          // p_0, Pa above ambient that releases the bullet
    double PistonMass = 0;             // m_p, kg
    double PistonArea = 0;             // A_p, m²
    double PackingFrictionFactor = 0;  // μ
    double PackingArea = 0;            // A_s, m², packing in contact with the cylinder wall
    double SpringMass = 0;             // m_s, kg
    double SpringMinimumForce = 0;     // F_min, N
    double SpringRate = 0;             // k, N/m
    double Stroke = 0;                 // s, m
    double Kappa = 0;                  // κ, adiabatic exponent
    double AmbientPressure = 0;        // p_a, Pa
    double TimeStep = 0;               // Δt, s
    // Completed after the checks:
    double SweptVolume = 0;       // V_s, m³
    double AirMass = 0;           // m_air, kg
    double BulletMassFactor = 0;  // φ, barrel friction plus a third of the air mass

    // The extended model's optional inputs (docs/extended-model.md). At these neutral values
    // the shot is the basic model's, by the same code and to the bit.
    double PortDiameter = 0;                         // m, 0: no restriction, one air volume
    double PortLength = ModelConstants::PortLength;  // m, the passage from cylinder to bore
    double PistonRestitution = 0;                    // rebound over impact speed, 0: dead stop
    double GasRamExponent = 0;                       // 0: coil spring; 1 … 1.67: gas ram
    double AirTemperature = 0;                       // K at the start, 0: fixed air density
};

// Whether any optional input differs from its neutral value.
bool UsesExtendedModel(const ModelInputs& inputs);

// Converts the field texts in the fixed reading order and fills every input but the three
// completed ones, writing each value as soon as it is read. A text that is not a number
// raises its conversion error; a stroke of 0 or less, checked right after the minimum force
// and before the maximum force is read, ends the command with
// "One or more Parameters out of range."; a floating-point fault raises its error. Then the
// optional five: an empty text leaves its neutral value, a value outside its range ends the
// command with a message naming the parameter and the values it accepts.
void ReadModelInputs(const GunParameterTexts& texts, char decimalSeparator, ModelInputs& inputs);
// The same from the texts' numbers, read before.
void ReadModelInputs(const GunFieldNumbers& fields, ModelInputs& inputs);

// Every converted and derived input must be greater than 0; otherwise the command ends with
// "One or more Parameters out of range.", whichever and however many failed.
void ValidateModelInputs(const ModelInputs& inputs);

// Swept volume, air mass and bullet mass factor; only for inputs that passed the checks.
void CompleteModelInputs(ModelInputs& inputs);

inline constexpr const char* OutOfRangeMessage = "One or more Parameters out of range.";
