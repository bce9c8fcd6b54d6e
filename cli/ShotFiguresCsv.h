#pragma once
// The figures of a shot as CSV columns, the same in every command that prints them: the status
// (ok, or the message the Compute button would end with), then the summary's six figures.

#include <string>

#include "model/ShotBatch.h"

// "status,steps,max_pressure_MPa,…,bullet_energy_J"
std::string ShotFiguresHeader();

// Appends the fields of a shot, without a line end; a failed shot's figures are empty.
void AppendShotFiguresFields(std::string& text, const ShotFigures& figures);
std::string ShotFiguresFields(const ShotFigures& figures);
