#include "model/GunFieldNumbers.h"

#include <algorithm>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"

GunFieldNumbers::GunFieldNumbers(const GunParameterTexts& texts, char decimalSeparator) {
    for (const GunParameterInfo& info : GunParameterTable) {
        Set(info.parameter, texts[static_cast<size_t>(Index(info.parameter))], decimalSeparator);
    }
    for (const OptionalParameterInfo& info : OptionalParameterTable) {
        Set(info.parameter, texts[static_cast<size_t>(Index(info.parameter))], decimalSeparator);
    }
}

void GunFieldNumbers::Set(GunParameter parameter, std::string_view text, char decimalSeparator) {
    std::optional<double>& number = numbers_[static_cast<size_t>(Index(parameter))];
    const bool wasRefused = !number.has_value();
    number = IsOptional(parameter) && text.empty() ? OptionalInfoOf(parameter).neutral
                                                   : TryFieldToNumber(text, decimalSeparator);
    if (wasRefused) {
        std::erase_if(refusedTexts_,
                      [parameter](const auto& refused) { return refused.first == parameter; });
    }
    if (!number) {
        refusedTexts_.emplace_back(parameter, text);
    }
}

std::optional<double> GunFieldNumbers::TryNumber(GunParameter parameter) const {
    return numbers_[static_cast<size_t>(Index(parameter))];
}

double GunFieldNumbers::Number(GunParameter parameter) const {
    if (const std::optional<double> number = TryNumber(parameter)) {
        return *number;
    }
    const auto refused =
        std::find_if(refusedTexts_.begin(), refusedTexts_.end(),
                     [parameter](const auto& text) { return text.first == parameter; });
    throw CommandError(NotAFloatingPointValueMessage(refused->second));
}
