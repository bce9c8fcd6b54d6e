#include "graph/CurveWalk.h"

#include <cstddef>

int LastWalkedPoint(const CurveSlot& curve, int lastIndex) {
    lastIndex = curve.OwnLastIndex.value_or(lastIndex);
    int i = 0;
    while (i + 1 < CurveCapacity) {
        const auto here = static_cast<size_t>(i);
        if (!(i < lastIndex || curve.X[here + 1] > curve.X[here])) {
            break;
        }
        ++i;
    }
    return i;
}
