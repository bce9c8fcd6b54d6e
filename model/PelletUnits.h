#pragma once
// The imperial units in which pellets are sold, chronographs read, energy limits are set and
// springs and cylinders are measured; exact by their definitions.

namespace PelletUnits {
inline constexpr double GramsPerGrain = 0.06479891;                // exact: 1 gr = 64.79891 mg
inline constexpr double GramsPerOunce = 28.349523125;              // avoirdupois ounce, exact
inline constexpr double GramsPerPound = 453.59237;                 // avoirdupois pound, exact
inline constexpr double MetresPerFoot = 0.3048;                    // exact
inline constexpr double JoulesPerFootPound = 1.3558179483314004;   // 1 ft·lbf, g = 9.80665 m/s²
inline constexpr double NewtonsPerPoundForce = 4.4482216152605;    // 1 lbf, g = 9.80665 m/s²
inline constexpr double NewtonsPerKilogramForce = 9.80665;         // exact
inline constexpr double MegapascalsPerPsi = 0.006894757293168361;  // 1 lbf/in², exact to the double
}  // namespace PelletUnits
