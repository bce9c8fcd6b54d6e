#pragma once
// Writes the gun report: a banner, the gun's name, its sixteen parameters and the summary of
// the last computation, laid out for a person to read and for ReadGunData to read back.

#include <array>
#include <optional>
#include <ostream>
#include <string_view>

#include "datafile/GunReportSummary.h"
#include "model/GunParameters.h"

// Writes the 33 lines of the report, each but the last ended by CR LF whatever the system, so
// the stream should be in binary mode. Without a summary (a gun that was never computed) the
// report ends after the line of a single space that follows the parameters. The name goes out byte
// for byte (UTF-8 from the window) but for line breaks, which become spaces; the numbers are
// rounded to three decimals, always with a point. Errors are left in the stream's state. Optional
// values that are not all neutral follow in their own section (ReportOptionalSection.h), after the
// summary.
void WriteGunData(std::ostream& out, std::string_view name,
                  const std::array<double, GunParameterCount>& values,
                  const GunReportSummary& summary,
                  const OptionalParameterValues& optional = NeutralOptionalValues());
void WriteGunData(std::ostream& out, std::string_view name,
                  const std::array<double, GunParameterCount>& values, std::nullopt_t noSummary,
                  const OptionalParameterValues& optional = NeutralOptionalValues());
