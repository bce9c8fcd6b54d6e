#pragma once
// The work of the Compute command, apart from the window: from the field texts to the
// recorded shot in display units, and from there to the summary the result box shows.
// The window redraws its graph between the two halves.

#include <array>
#include <string>

#include "model/GunParameters.h"
#include "model/ModelInputs.h"
#include "model/ShotFigures.h"
#include "model/SimulationResult.h"

// Reads and checks the fields, clears the series, completes the inputs, runs the shot and
// converts the counted entries to display units (ms, mm, MPa). Ends the command with the
// conversion error, "One or more Parameters out of range.", "Maximum Number of Steps was
// reached. Increase Step." or a floating-point error; only a completed run changes LastIndex.
// A shot with a transfer port also fills the port's series, when given, in display units.
void SimulateShotFromFields(const GunParameterTexts& texts, char decimalSeparator,
                            ModelInputs& inputs, SimulationResult& result,
                            PortSeries* port = nullptr);

// Runs the shot of completed inputs and converts the counted entries to display units: the part
// of SimulateShotFromFields after the checks. Ends the command on the step limit or a
// floating-point fault.
void RunCompletedShot(const ModelInputs& inputs, SimulationResult& result,
                      PortSeries* port = nullptr);

// The summary of a completed run in display units: the maxima over the counted entries before
// the last one, the muzzle velocity and the bullet's energy (J). May raise a floating-point
// flag (the energy can overflow); the caller reads it.
ShotFigures SummaryFigures(const ModelInputs& inputs, const SimulationResult& result);

// Writes the summary into the result's summary fields and returns it; ends the command with a
// floating-point fault of its arithmetic after writing them.
ShotFigures SummarizeShot(const ModelInputs& inputs, SimulationResult& result);

// The bullet's velocity at the muzzle (m/s): entry LastIndex of the velocity series. When
// the very first step reached the muzzle (LastIndex = -1) no entry counts, and the velocity
// of that first step is taken instead.
double MuzzleVelocity(const SimulationResult& result);

inline constexpr int SummaryLineCount = 7;

// The seven lines appended to the result box, a point as decimal separator under every locale.
std::array<std::string, SummaryLineCount> SummaryLines(const SimulationResult& result);

// The same seven lines for the figures of a completed shot.
std::array<std::string, SummaryLineCount> SummaryLines(const ShotFigures& figures);
