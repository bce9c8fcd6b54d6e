#pragma once
// The rounding of the numbers written at the ticks and in the position readout.

// x rounded to n decimals, halves away from zero; a result below 1e-12 in magnitude is 0.
double RoundToDecimals(double x, int n);

// The label decimals for an axis whose view spans span: 0 above 10, 1 below 10, 2 below 1,
// 3 below 0.1, 4 below 0.01, 5 below 0.001. A span of exactly 10 keeps the current decimals,
// so a zoom that lands there doesn't change how the labels read.
int ChooseDecimals(double span, int current);
