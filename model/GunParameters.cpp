#include "model/GunParameters.h"

std::optional<GunParameter> GunParameterByFieldName(std::string_view fieldName) {
    for (const GunParameterInfo& info : GunParameterTable) {
        if (fieldName == info.fieldName) {
            return info.parameter;
        }
    }
    for (const OptionalParameterInfo& info : OptionalParameterTable) {
        if (fieldName == info.fieldName) {
            return info.parameter;
        }
    }
    return std::nullopt;
}

const char* AcceptedValuesText(AcceptedRange range) {
    switch (range) {
        case AcceptedRange::AboveMinimumForce:
            return "above MinimumForce";
        case AcceptedRange::ZeroOrPositive:
            return "0 or above 0";
        case AcceptedRange::FromZeroBelowOne:
            return "from 0 to below 1";
        case AcceptedRange::ZeroOrGasRam:
            return "0, or from 1 to 1.67";
        case AcceptedRange::Positive:
            break;
    }
    return "above 0";
}
