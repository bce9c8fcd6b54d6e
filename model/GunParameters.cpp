#include "model/GunParameters.h"

std::optional<GunParameter> GunParameterByFieldName(std::string_view fieldName) {
    for (const GunParameterInfo& info : GunParameterTable) {
        if (fieldName == info.fieldName) {
            return info.parameter;
        }
    }
    return std::nullopt;
}
