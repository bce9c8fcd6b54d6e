#include "model/ResultSeries.h"

std::string CsvColumnName(const ResultSeriesInfo& info) {
    std::string column = std::string(info.name) + '_' + info.displayUnit;
    for (char& c : column) {
        if (c == '/') {
            c = '_';
        }
    }
    return column;
}
