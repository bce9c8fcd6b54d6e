#include "tools/ConversionTable.h"

#include <algorithm>

const ConversionRow* FindConversion(std::string_view fromUnit, std::string_view toUnit) {
    const auto row = std::find_if(
        ConversionTable.begin(), ConversionTable.end(), [&](const ConversionRow& candidate) {
            return candidate.fromUnit == fromUnit && candidate.toUnit == toUnit;
        });
    return row == ConversionTable.end() ? nullptr : &*row;
}

const ConversionRow* ConversionOfButton(int button) {
    const auto row =
        std::find_if(ConversionTable.begin(), ConversionTable.end(),
                     [&](const ConversionRow& candidate) { return candidate.button == button; });
    return row == ConversionTable.end() ? nullptr : &*row;
}
