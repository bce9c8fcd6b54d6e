#pragma once
// The force of a helical compression spring of round wire.

// F = Gm d^4 s / (8 n Dm^3) in N, with Gm = 1000 G the shear modulus in N/mm² and
// Dm = D - d the mean coil diameter in mm.
//   d  wire thickness, mm
//   D  outer spring diameter, mm
//   n  number of active coils
//   s  compression, mm
//   G  shear modulus, GPa
// A zero denominator (D equal to d, or no coils) is left to the floating-point fault check.
double SpringForce(double d, double D, double n, double s, double G);
