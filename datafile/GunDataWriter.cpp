#include "datafile/GunDataWriter.h"

#include <string>

#include "common/ReportFormat.h"
#include "datafile/ReportOptionalSection.h"

namespace {

constexpr const char* RuleLine = "-------------------------------------------------------\n";

// A name field can hold line breaks (pasted text). Written as they are, they would end the
// name line early and the rest of the name would be read as parameters, so they go out as
// spaces and the name stays on its line.
std::string OnOneLine(std::string_view name) {
    std::string line(name);
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return line;
}

// Every line end goes out as CR LF, whatever the system.
std::string WithCrLf(const std::string& text) {
    std::string converted;
    converted.reserve(text.size() + 40);
    for (const char c : text) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
}

// The report, with the summary where there is one.
void WriteReport(std::ostream& out, std::string_view name,
                 const std::array<double, GunParameterCount>& values,
                 const GunReportSummary* computed, const OptionalParameterValues& optional) {
    std::string text = "\n   *** Velloran *** \n";
    text += RuleLine;
    // The banner's second line holds neither a colon nor a "*", so the reader still meets
    // the colon of the name line first.
    text += " Spring-Piston Air Gun Interior Ballistics \n";
    text += RuleLine;
    text += "\n Air Gun: " + OnOneLine(name) + " \n";
    // Each label ends with the one colon that the reader counts. The parameter lines end with
    // two spaces, the last with one, and a line of a single space follows them.
    for (const GunParameterInfo& info : GunParameterTable) {
        const bool lastLine = &info == &GunParameterTable.back();
        text += '\n';
        text += info.reportLabel;
        text += FormatReport("%6.3f", values[static_cast<size_t>(Index(info.parameter))]);
        text += lastLine ? " " : "  ";
    }
    text += "\n ";
    if (computed) {
        const GunReportSummary& summary = *computed;
        text += "\n         *** Computation *** \n";
        text += RuleLine;
        text += FormatReport("\n Maximum Pressure:       %9.3f  MPa", summary.MaximumPressure);
        text += FormatReport("\n Max. Piston Velocity:     %7.3f  m/s",
                             summary.MaximumPistonVelocity);
        text += FormatReport("\n Max. Temperature:         %7.3f  K", summary.MaximumTemperature);
        text += FormatReport("\n Bullet Velocity:        %9.3f  m/s", summary.BulletVelocity);
        text += FormatReport("\n Bullet Energy:          %9.3f  J", summary.BulletEnergy);
    }
    text += OptionalSectionText(optional, computed ? std::optional(computed->model) : std::nullopt);
    const std::string report = WithCrLf(text);
    out.write(report.data(), static_cast<std::streamsize>(report.size()));
}

}  // namespace

void WriteGunData(std::ostream& out, std::string_view name,
                  const std::array<double, GunParameterCount>& values,
                  const GunReportSummary& summary, const OptionalParameterValues& optional) {
    WriteReport(out, name, values, &summary, optional);
}

void WriteGunData(std::ostream& out, std::string_view name,
                  const std::array<double, GunParameterCount>& values, std::nullopt_t,
                  const OptionalParameterValues& optional) {
    WriteReport(out, name, values, nullptr, optional);
}
