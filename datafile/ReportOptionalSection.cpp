#include "datafile/ReportOptionalSection.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/FieldNumber.h"
#include "common/ReportFormat.h"

namespace {

constexpr std::string_view SummaryLabel = "Summary Above:";

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsRule(std::string_view line) {
    return !line.empty() && line.find_first_not_of('-') == std::string_view::npos;
}

// The row whose label (without the blanks the writer pads it with) begins the line.
const OptionalParameterInfo* RowLabelling(std::string_view label) {
    for (const OptionalParameterInfo& info : OptionalParameterTable) {
        if (Trimmed(info.reportLabel) == label) {
            return &info;
        }
    }
    return nullptr;
}

}  // namespace

std::string OptionalSectionText(const OptionalParameterValues& values,
                                std::optional<SummaryModel> summaryModel) {
    if (values == NeutralOptionalValues()) {
        return {};
    }
    std::string text = std::string("\n \n       ") + OptionalSectionHeading + " \n";
    text += "-------------------------------------------------------\n";
    if (summaryModel) {
        text += std::string("\n ") + std::string(SummaryLabel) + "             " +
                (*summaryModel == SummaryModel::Basic ? "basic model, without these"
                                                      : "extended model, with these");
    }
    for (size_t i = 0; i < values.size(); ++i) {
        text += '\n';
        text += OptionalParameterTable[i].reportLabel;
        text += FormatReport("%6.3f", values[i]);
    }
    return text;
}

OptionalSectionReading ReadOptionalSection(std::string_view reportAsStored) {
    // A carriage return is dropped wherever it stands, inside a line too, so that a message
    // quotes the line as an editor shows it.
    std::string withoutReturns(reportAsStored);
    std::erase(withoutReturns, '\r');
    const std::string_view report = withoutReturns;
    OptionalSectionReading reading;
    bool inSection = false;
    std::array<bool, OptionalParameterCount> given{};
    size_t start = 0;
    while (start <= report.size()) {
        const size_t end = std::min(report.find('\n', start), report.size());
        const std::string_view line = Trimmed(report.substr(start, end - start));
        start = end + 1;
        if (!inSection) {
            inSection = line == OptionalSectionHeading;
            continue;
        }
        if (line.empty() || IsRule(line) || line.starts_with(SummaryLabel)) {
            continue;
        }
        const size_t colon = line.find(':');
        const OptionalParameterInfo* row =
            colon == std::string_view::npos ? nullptr : RowLabelling(line.substr(0, colon + 1));
        if (row == nullptr) {
            reading.failure = "The optional parameters hold a line that is none of theirs: '" +
                              std::string(line) + "'.";
            return reading;
        }
        const auto position = static_cast<size_t>(Index(row->parameter) - GunParameterCount);
        const std::optional<double> value = TryFieldToNumber(line.substr(colon + 1), '.');
        if (!value) {
            reading.failure = "The optional parameters' line '" + std::string(line) +
                              "' holds no number written with a point.";
            return reading;
        }
        if (given[position]) {
            reading.failure =
                std::string("The optional parameters give ") + row->fieldName + " twice.";
            return reading;
        }
        given[position] = true;
        reading.values[position] = *value;
    }
    return reading;
}
