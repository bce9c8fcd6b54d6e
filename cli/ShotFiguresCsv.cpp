#include "cli/ShotFiguresCsv.h"

#include <charconv>

#include "cli/CsvFormat.h"
#include "common/ApplicationTitle.h"

std::string ShotFiguresHeader() {
    return "status,steps,max_pressure_MPa,max_piston_velocity_m_s,max_temperature_K,"
           "bullet_velocity_m_s,bullet_energy_J";
}

void AppendShotFiguresFields(std::string& text, const ShotFigures& figures) {
    if (!figures.failure.empty()) {
        text += CsvField(WithClosingFullStop(figures.failure));
        text += ",,,,,,";
        return;
    }
    char steps[24];
    text += "ok,";
    text.append(steps, std::to_chars(steps, steps + sizeof steps, figures.lastIndex).ptr);
    for (const double figure :
         {figures.maximumPressure, figures.maximumPistonVelocity, figures.maximumTemperature,
          figures.muzzleVelocity, figures.bulletEnergy}) {
        text += ',';
        AppendCsvNumber(text, figure);
    }
}

std::string ShotFiguresFields(const ShotFigures& figures) {
    std::string text;
    AppendShotFiguresFields(text, figures);
    return text;
}
