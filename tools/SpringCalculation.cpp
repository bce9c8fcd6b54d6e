#include "tools/SpringCalculation.h"

#include <cmath>

#include "common/FieldNumber.h"
#include "common/FloatingPointFaults.h"
#include "tools/SpringForce.h"

std::string ComputeSpringPower(const SpringInputTexts& texts, char decimalSeparator) {
    std::array<double, 5> values{};
    for (size_t i = 0; i < texts.size(); ++i) {
        values[i] = FieldToNumber(texts[i], decimalSeparator);
    }
    // SpringForce lives in a unit of its own, so its arithmetic cannot be moved past the
    // check of the flags it raises.
    ClearFloatingPointFaults();
    const double force = SpringForce(values[0], values[1], values[2], values[3], values[4]);
    ThrowIfFloatingPointFault();
    // Rounded up: a whole force stays, a negative one moves towards zero.
    return NumberToField(std::ceil(force), decimalSeparator);
}
