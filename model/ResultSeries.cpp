#include "model/ResultSeries.h"

namespace {

std::string ColumnName(const char* name, const char* displayUnit) {
    std::string column = std::string(name) + '_' + displayUnit;
    for (char& c : column) {
        if (c == '/') {
            c = '_';
        }
    }
    return column;
}

}  // namespace

std::string CsvColumnName(const ResultSeriesInfo& info) {
    return ColumnName(info.name, info.displayUnit);
}

std::string CsvColumnName(const PortSeriesInfo& info) {
    return ColumnName(info.name, info.displayUnit);
}
