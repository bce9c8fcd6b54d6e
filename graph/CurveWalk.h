#pragma once
// Which points of a curve are ranged and drawn. The walk visits point 0 first; after point i
// it goes on to i + 1 while i < lastIndex or X[i + 1] > X[i], and never past the last point
// a curve can hold. A curve loaded with the points 0 … lastIndex thus ends at lastIndex
// whenever X[lastIndex] ≥ 0, because the points beyond are 0. A curve with an OwnLastIndex
// is walked with that in place of lastIndex.

#include "graph/CurveSlot.h"

// The index of the last point the walk visits: it visits 0 … that index. lastIndex is the
// LastIndex of the current result (-1 when no step counted).
int LastWalkedPoint(const CurveSlot& curve, int lastIndex);
