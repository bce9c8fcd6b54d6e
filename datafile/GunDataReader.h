#pragma once
// Reads a gun's name and sixteen parameters back from a gun report. The reader does not check
// the layout line by line: it keys on the first "*", the colons that end the labels and the
// line end of the name line, so a hand-edited report with other labels still loads.

#include <istream>
#include <optional>

#include "model/GunParameters.h"

inline constexpr const char* WrongDataFormatMessage = "Wrong data format.";

// The name is everything after the first colon that follows the first "*" up to that line's
// end, taken whole and untrimmed; the N-th colon after it is followed by parameter N, a number
// with a point. Carriage returns are dropped wherever they stand. Nothing after the sixteenth
// number is read. Gives nothing (the file is not in the format) when the first "*" is not
// among the first 50 characters, the next colon not among the 1000 after it, or any of the
// sixteen colons or numbers is missing or a number is not finite. The stream should be in
// binary mode; a read error ends the reading like the end of the stream and stays in the
// stream's state for the caller to tell apart.
std::optional<GunParameters> ReadGunData(std::istream& in);
