#include "model/GunParameters.h"

std::optional<GunParameter> GunParameterByFieldName(std::string_view fieldName) {
    for (int i = 0; i < GunParameterCount; ++i) {
        if (fieldName == GunParameterTable[static_cast<size_t>(i)].fieldName) {
            return static_cast<GunParameter>(i);
        }
    }
    return std::nullopt;
}
