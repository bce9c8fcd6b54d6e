#include "datafile/GunDataWriter.h"

#include <string>

#include "common/ReportFormat.h"

namespace {

constexpr const char* RuleLine = "-------------------------------------------------------\n";

// Each label ends with the one colon that the reader counts; the spacing differs from line
// to line and is part of the layout.
// clang-format off
constexpr std::array<const char*, GunParameterCount> ParameterFormats = {
    "\n Caliber [mm]:              %6.3f  ",
    "\n Bullet Weight [g]:         %6.3f  ",
    "\n Barrel Length [mm]:       %6.3f  ",
    "\n Barrel Friction [-]:       %6.3f  ",
    "\n Initial Pressure [MPa]:    %6.3f  ",
    "\n Piston Weight [kg]:        %6.3f  ",
    "\n Piston Diameter [mm]:      %6.3f  ",
    "\n Piston Friction [-]:       %6.3f  ",
    "\n Packing Thickness [mm]:    %6.3f  ",
    "\n Spring Weight [kg]:        %6.3f  ",
    "\n Minimum Force [N]:        %6.3f  ",
    "\n Maximum Force [N]:        %6.3f  ",
    "\n Piston Stroke [mm]:        %6.3f  ",
    "\n Adiabatic Exponent [-]:    %6.3f  ",
    "\n Air Pressure [MPa]:        %6.3f  ",
    "\n Computation Step [ms]:     %6.3f \n ",
};
// clang-format on

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

}  // namespace

void WriteGunData(std::ostream& out, std::string_view name,
                  const std::array<double, GunParameterCount>& values,
                  const GunReportSummary& summary) {
    std::string text = "\n   *** Velloran *** \n";
    text += RuleLine;
    // The banner's second line holds neither a colon nor a "*", so the reader still meets
    // the colon of the name line first.
    text += " Spring-Piston Air Gun Interior Ballistics \n";
    text += RuleLine;
    text += "\n Air Gun: " + OnOneLine(name) + " \n";
    for (size_t i = 0; i < values.size(); ++i) {
        text += FormatReport(ParameterFormats[i], values[i]);
    }
    text += "\n         *** Computation *** \n";
    text += RuleLine;
    text += FormatReport("\n Maximum Pressure:       %9.3f  MPa", summary.MaximumPressure);
    text += FormatReport("\n Max. Piston Velocity:     %7.3f  m/s", summary.MaximumPistonVelocity);
    text += FormatReport("\n Max. Temperature:         %7.3f  K", summary.MaximumTemperature);
    text += FormatReport("\n Bullet Velocity:        %9.3f  m/s", summary.BulletVelocity);
    text += FormatReport("\n Bullet Energy:          %9.3f  J", summary.BulletEnergy);
    const std::string report = WithCrLf(text);
    out.write(report.data(), static_cast<std::streamsize>(report.size()));
}
