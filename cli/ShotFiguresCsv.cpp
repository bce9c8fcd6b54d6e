#include "cli/ShotFiguresCsv.h"

#include "cli/CsvFormat.h"
#include "common/ApplicationTitle.h"

std::string ShotFiguresHeader() {
    return "status,steps,max_pressure_MPa,max_piston_velocity_m_s,max_temperature_K,"
           "bullet_velocity_m_s,bullet_energy_J";
}

std::string ShotFiguresFields(const ShotFigures& figures) {
    if (!figures.failure.empty()) {
        return CsvField(WithClosingFullStop(figures.failure)) + ",,,,,,";
    }
    return "ok," + std::to_string(figures.lastIndex) + ',' + CsvNumber(figures.maximumPressure) +
           ',' + CsvNumber(figures.maximumPistonVelocity) + ',' +
           CsvNumber(figures.maximumTemperature) + ',' + CsvNumber(figures.muzzleVelocity) + ',' +
           CsvNumber(figures.bulletEnergy);
}
