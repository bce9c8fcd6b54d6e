#pragma once
// The imperial units in which pellets are sold, chronographs read and energy limits are set.

namespace PelletUnits {
inline constexpr double GramsPerGrain = 0.06479891;  // exact: 1 gr = 64.79891 mg
inline constexpr double MetresPerFoot = 0.3048;      // exact
inline constexpr double JoulesPerFootPound = 1.3558179483314004;  // 1 ft·lbf, g = 9.80665 m/s²
}  // namespace PelletUnits
