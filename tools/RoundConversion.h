#pragma once
// The rounding of every result of the unit conversion window.

// Rounds value to the given number of decimals, halves upwards (towards plus infinity, for
// negative values too). It works by means of the ceiling in two steps, each on doubles:
//   1. c = ceil(r * 10^k) * 10^-k; if r + half >= c, r becomes c.
//   2. c afresh from the new r; if r + half < c, r becomes c - 10^-k.
// with half = 0.5 * 10^-k. A product lying within a few units in the last place of a half-way
// point may end on either side: 1 oz is 28.349 g, since the double of 28.3495 lies below it.
double RoundConversion(double value, int decimals);
