#pragma once
// Many variants of a gun, each given as its field texts or their numbers: read and checked as
// the Compute button reads and checks them, and the shots of those that pass computed side by
// side. The sweep's points, the pellet table's weights and the fit's guns all go through here.

#include <span>
#include <vector>

#include "model/GunFieldNumbers.h"
#include "model/ModelInputs.h"
#include "model/ShotBatch.h"

// The inputs of field texts (with the given separator), or of their numbers, as the Compute
// button makes them: read, checked and completed. Raises the button's conversion error or ends
// the command with "One or more Parameters out of range.".
ModelInputs CheckedInputsOf(const GunParameterTexts& texts, char decimalSeparator);
ModelInputs CheckedInputsOf(const GunFieldNumbers& fields);

// The figures of every gun (texts with a point) on this thread, by the given computation: the
// designed one gives the same as the Compute button. A gun whose texts the button refuses has
// that message as its failure. The scratch result serves the shots that must run alone.
// checkedInputs, unless empty, takes each gun's inputs as checked, for figures computed beside
// the shot's (those of a refused gun are left as they were).
void ComputeGunBlock(std::span<const GunFieldNumbers> guns, std::span<ShotFigures> figures,
                     SimulationResult& scratch,
                     ShotComputation computation = ShotComputation::Designed,
                     std::span<ModelInputs> checkedInputs = {});

// The same in blocks on the given number of threads (0: one per core); the figures do not
// depend on it.
std::vector<ShotFigures> ComputeGunFigures(std::span<const GunFieldNumbers> guns, unsigned threads,
                                           ShotComputation computation = ShotComputation::Designed);
std::vector<ShotFigures> ComputeGunFigures(std::span<const GunParameterTexts> guns,
                                           unsigned threads,
                                           ShotComputation computation = ShotComputation::Designed);
