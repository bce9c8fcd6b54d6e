// The shot simulation over guns of any finite positive parameters. The input is a group of
// guns, sixteen doubles each (little-endian, sign ignored), in the order of the fields, some
// with optional parameters of the extended model. Each
// goes the compute command's way: written into its fields, read, checked and completed; the
// ones refused there are left out. A shot ends completed, at the step limit or with a
// floating-point fault, in steps that stay inside the series and with the muzzle, the piston's
// end stop and the result's last index where they belong; and the batch gives every gun of
// the group the figures it gets alone, on the lanes of every instruction set.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "model/ModelInputs.h"
#include "model/ShotBatch.h"
#include "model/ShotEngine.h"
#include "model/SmoothShot.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

constexpr std::size_t GunBytes = GunParameterCount * sizeof(double);
// Enough for the batch to fill the lanes of every kernel (at most 24) and start another shot in
// a lane that finished.
constexpr std::size_t MaximumGroup = 28;
// A completed run never writes it; the engine writes -1 when the first step reaches the muzzle.
constexpr int UntouchedLastIndex = -12345;

// The result record, about 600 kB, is made once, as the program does: allocating it for every
// input would take longer than most shots.
SimulationResult& ResultRecord() {
    static const auto record = std::make_unique<SimulationResult>();
    return *record;
}

// The second gun of every three runs the extended model with a port and a gas ram, the third
// with a rebounding piston and warm air, so that the lanes of both models meet any gun.
GunParameterTexts DecodeFieldTexts(const std::uint8_t* bytes, std::size_t gun) {
    GunParameterTexts texts;  // the optional five left empty: the basic model
    for (std::size_t i = 0; i < GunParameterCount; ++i) {
        double value = 0;
        std::memcpy(&value, bytes + i * sizeof(double), sizeof(double));
        texts[i] = NumberToField(std::fabs(value), '.');
    }
    const auto set = [&texts](GunParameter parameter, const char* text) {
        texts[static_cast<std::size_t>(Index(parameter))] = text;
    };
    if (gun % 3 == 1) {
        set(GunParameter::PortDiameter, "2");
        set(GunParameter::GasRamExponent, "1.3");
    } else if (gun % 3 == 2) {
        set(GunParameter::PistonRestitution, "0.3");
        set(GunParameter::AirTemperature, "293");
    }
    return texts;
}

// The inputs of a gun as the compute command has them before the run, or false when it
// would end the command before (a field that does not read, a value out of range, a
// floating-point fault in the conversion).
bool CompletedInputs(const GunParameterTexts& texts, ModelInputs& inputs) {
    try {
        ReadModelInputs(texts, '.', inputs);
        ValidateModelInputs(inputs);
        CompleteModelInputs(inputs);
    } catch (const CommandFailure&) {
        return false;
    }
    return true;
}

// Entries 0 … last are written and are not past the muzzle; the piston never stands beyond
// its stroke.
void CheckWrittenSteps(const ModelInputs& inputs, const SimulationResult& result, int last) {
    Require(last >= 0 && last < SeriesCapacity, "written entries lie inside the series");
    for (int n = 0; n <= last; ++n) {
        if (!(result.PistonTravel[static_cast<std::size_t>(n)] <= inputs.Stroke)) {
            Fail("the piston of step " + std::to_string(n) + " stands beyond its stroke");
        }
    }
}

void CheckShot(const ModelInputs& inputs) {
    SimulationResult& result = ResultRecord();
    result.LastIndex = UntouchedLastIndex;
    const ShotOutcome outcome = ComputeShot(inputs, result);
    switch (outcome.end) {
        case ShotEnd::Completed: {
            Require(outcome.fault == FloatingPointFault::None, "a completed shot has no fault");
            const int muzzle = result.LastIndex + 1;
            Require(muzzle >= 0 && muzzle < StepLimit,
                    "a completed shot reached the muzzle before the step limit");
            CheckWrittenSteps(inputs, result, muzzle);
            for (int n = 0; n < muzzle; ++n) {
                if (!(result.BulletTravel[static_cast<std::size_t>(n)] < inputs.BarrelEnd)) {
                    Fail("the bullet of step " + std::to_string(n) + " was out before the end");
                }
            }
            Require(result.BulletTravel[static_cast<std::size_t>(muzzle)] >= inputs.BarrelEnd,
                    "the bullet of the last step is at the muzzle");
            break;
        }
        case ShotEnd::StepLimitReached:
            Require(outcome.fault == FloatingPointFault::None, "a shot at the limit has no fault");
            Require(result.LastIndex == UntouchedLastIndex, "the step limit keeps LastIndex");
            CheckWrittenSteps(inputs, result, StepLimit);
            for (int n = 0; n < StepLimit; ++n) {
                if (!(result.BulletTravel[static_cast<std::size_t>(n)] < inputs.BarrelEnd)) {
                    Fail("the bullet of step " + std::to_string(n) + " was out before the limit");
                }
            }
            break;
        case ShotEnd::StepTooCoarse:
            Require(result.LastIndex == UntouchedLastIndex, "a refused shot keeps LastIndex");
            break;
        case ShotEnd::FloatingPointFault:
            Require(outcome.fault != FloatingPointFault::None, "a faulted shot names its fault");
            Require(result.LastIndex == UntouchedLastIndex, "a faulted shot keeps LastIndex");
            break;
    }
}

std::string Described(const ShotFigures& f) {
    return "{'" + f.failure + "', " + std::to_string(f.lastIndex) + ", " +
           NumberToField(f.maximumPressure, '.') + ", " +
           NumberToField(f.maximumPistonVelocity, '.') + ", " +
           NumberToField(f.maximumTemperature, '.') + ", " + NumberToField(f.muzzleVelocity, '.') +
           ", " + NumberToField(f.bulletEnergy, '.') + "}";
}

// On the lanes of every instruction set this processor runs, by both computations.
void CheckBatch(const std::vector<ModelInputs>& group) {
    SimulationResult& scratch = ResultRecord();
    for (const ShotComputation computation : {ShotComputation::Designed, ShotComputation::Smooth}) {
        const bool smooth = computation == ShotComputation::Smooth;
        std::vector<ShotFigures> alone;
        for (const ModelInputs& gun : group) {
            alone.push_back(smooth ? ComputeSmoothShotFigures(gun)
                                   : ComputeShotFiguresOneByOne(gun, scratch));
        }
        for (const ShotLaneKernel& kernel : ShotLaneKernels()) {
            std::vector<ShotFigures> together(group.size());
            ComputeShotFigures(group, together, scratch, kernel, computation);
            for (std::size_t i = 0; i < group.size(); ++i) {
                Require(together[i] == alone[i],
                        std::string(kernel.instructionSet) + (smooth ? " smooth" : "") + ", gun " +
                            std::to_string(i) + " of the batch: " + Described(together[i]) +
                            " alone " + Described(alone[i]));
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<ModelInputs> group;
    for (std::size_t offset = 0; offset + GunBytes <= size && group.size() < MaximumGroup;
         offset += GunBytes) {
        ModelInputs inputs;
        if (CompletedInputs(DecodeFieldTexts(data + offset, offset / GunBytes), inputs)) {
            CheckShot(inputs);
            group.push_back(inputs);
        }
    }
    if (!group.empty()) {
        CheckBatch(group);
    }
    return 0;
}
