#include "tools/UnitConversion.h"

#include "common/FieldNumber.h"
#include "common/FloatingPointFaults.h"
#include "tools/ConversionTable.h"
#include "tools/RoundConversion.h"

std::string ConvertFieldText(std::string_view sourceText, double factor, int decimals,
                             char decimalSeparator) {
    const double value = FieldToNumber(sourceText, decimalSeparator);
    ClearFloatingPointFaults();
    const double rounded = RoundConversion(value * factor, decimals);
    ThrowIfFloatingPointFault();
    return NumberToField(rounded, decimalSeparator);
}

std::string ConvertFieldText(std::string_view sourceText, const ConversionRow& row,
                             char decimalSeparator) {
    return ConvertFieldText(sourceText, row.factor, row.decimals, decimalSeparator);
}
