// Which lane kernel the batches use: the best, or the one a diagnostic asks for.

#include <cstdlib>
#include <string_view>

#include "model/ShotLanes.h"

namespace {

const char* const LaneChoiceVariable = "VELLORAN_LANES";

// The kernel the variable names, or nothing when it is unset or names none that runs here.
const ShotLaneKernel* NamedKernel() {
    const char* const named = std::getenv(LaneChoiceVariable);
    if (named == nullptr) {
        return nullptr;
    }
    for (const ShotLaneKernel& kernel : ShotLaneKernels()) {
        if (std::string_view(kernel.instructionSet) == named) {
            return &kernel;
        }
    }
    return nullptr;
}

}  // namespace

const ShotLaneKernel& BestShotLaneKernel() {
    static const ShotLaneKernel* const named = NamedKernel();
    return named != nullptr ? *named : ShotLaneKernels().front();
}

std::string LaneChoiceRefusal() {
    const char* const named = std::getenv(LaneChoiceVariable);
    if (named == nullptr || NamedKernel() != nullptr) {
        return {};
    }
    std::string runs;
    for (const ShotLaneKernel& kernel : ShotLaneKernels()) {
        runs += (runs.empty() ? "" : ", ") + std::string(kernel.instructionSet);
    }
    return std::string(LaneChoiceVariable) + "=" + named +
           " names no instruction set of the lanes that this processor runs: " + runs;
}
