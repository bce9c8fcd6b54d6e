#pragma once
// A gun's field texts read as numbers, each text once. Many variants of one gun (a sweep's
// points, a pellet table's weights, a fit's guns) differ from it in one or two texts: a copy of
// the gun's numbers with those texts read again reads as the variant's own texts would, for a
// fraction of the work.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/GunParameters.h"

class GunFieldNumbers {
public:
    GunFieldNumbers(const GunParameterTexts& texts, char decimalSeparator);

    // Reads the parameter's text anew, as the same text in the texts would be read. An optional
    // parameter's empty text is its neutral value.
    void Set(GunParameter parameter, std::string_view text, char decimalSeparator);

    // The number of the parameter's text; a text that is no number raises its conversion error
    // here, when it is asked for, so that the first text refused in the reading order is the
    // one reported.
    double Number(GunParameter parameter) const;

    // The number, or none when the text is refused.
    std::optional<double> TryNumber(GunParameter parameter) const;

private:
    std::array<std::optional<double>, AllParameterCount> numbers_;
    // The texts that are no numbers, for their error message; mostly none.
    std::vector<std::pair<GunParameter, std::string>> refusedTexts_;
};
