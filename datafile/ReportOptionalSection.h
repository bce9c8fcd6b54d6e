#pragma once
// The gun report's section of the extended model's optional parameters, after the summary:
// written only when a value differs from its neutral one, and read by the command line and by
// the window's Load, which keeps it for Save. ReadGunData never reaches it: it stops after the
// sixteenth number.

#include <optional>
#include <string>
#include <string_view>

#include "datafile/GunReportSummary.h"
#include "model/GunParameters.h"

inline constexpr const char* OptionalSectionHeading = "*** Optional Parameters ***";

// The section's lines, each begun by "\n" (the writer turns them into CR LF), or nothing when
// every value is neutral. With a summary, its first line says which model computed it:
//   " Summary Above:             basic model, without these"  (the window's)
//   " Summary Above:             extended model, with these"   (the command line's)
// Then each of the five with its label and the value as "%6.3f".
std::string OptionalSectionText(const OptionalParameterValues& values,
                                std::optional<SummaryModel> summaryModel);

// The values the report's section gives, the neutral ones for those it leaves out and for a
// report without a section; or why the section cannot be read (a line that is no label of the
// section, a number missing or not written with a point, a parameter given twice). The report's
// carriage returns are ignored.
struct OptionalSectionReading {
    OptionalParameterValues values = NeutralOptionalValues();
    std::string failure;  // empty when the section was read
};
OptionalSectionReading ReadOptionalSection(std::string_view report);
