#include "model/ModelInputs.h"

#include <string>

#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "common/FloatingPointFaults.h"

using namespace ModelConstants;

namespace {

// The optional inputs (an empty text reads as the neutral value, GunFieldNumbers). Each must
// lie in its range, or the command ends with a message that names the parameter and the
// accepted values. Millimetres become metres by a division, which gives the neutral port
// length of 22 mm as exactly the basic model's constant.
void ReadOptionalInputs(const GunFieldNumbers& fields, ModelInputs& inputs) {
    const auto accepted = [&](GunParameter parameter) {
        const double value = fields.Number(parameter);
        const OptionalParameterInfo& info = OptionalInfoOf(parameter);
        if (!IsAccepted(info.range, value)) {
            ShowMessageAndAbort(std::string(info.fieldName) + " must be " +
                                AcceptedValuesText(info.range) +
                                (*info.unit != 0 ? std::string(" ") + info.unit : "") + ", not " +
                                NumberToField(value, '.') + ".");
        }
        return value;
    };
    using enum GunParameter;
    inputs.PortDiameter = accepted(PortDiameter) / 1000;
    inputs.PortLength = accepted(PortLength) / 1000;
    inputs.PistonRestitution = accepted(PistonRestitution);
    inputs.GasRamExponent = accepted(GasRamExponent);
    inputs.AirTemperature = accepted(AirTemperature);
}

// The basic inputs from the fields' numbers. The window reports the first formula that fails,
// in this order, so each formula asks for its fields' numbers again and, with
// checkEachFormula, a floating-point fault ends the command at once. Reading the flags costs
// more than a formula, and a sweep reads every point's inputs: without checkEachFormula they
// are read once at the end, and false means that something failed (a fault, a field that is
// no number, a stroke that is not positive), which a second pass with checkEachFormula then
// reports as the window would. The flags must be clear before.
bool ReadBasicInputs(const GunFieldNumbers& fields, ModelInputs& inputs, bool checkEachFormula) {
    const auto field = [&](GunParameter parameter) { return fields.Number(parameter); };
    const auto store = [checkEachFormula](double& target, double value) {
        target = value;
        if (checkEachFormula) {
            ThrowIfFloatingPointFault();
        }
    };
    using enum GunParameter;
    store(inputs.BoreDiameter, field(Caliber) * 0.001);
    store(inputs.BoreArea, (field(Caliber) * 0.001) * (field(Caliber) * 0.001) * BoreAreaFactor);
    store(inputs.BulletMass, field(BulletWeight) * 0.001);
    store(inputs.BarrelEnd, field(BarrelLength) * 0.001);
    store(inputs.BarrelFrictionFactor, field(BarrelFriction));
    store(inputs.StartPressure, field(InitialPressure) * 1e6);
    store(inputs.PistonMass, field(PistonWeight));
    store(inputs.PistonArea,
          (field(PistonDiameter) * 0.0005) * (field(PistonDiameter) * 0.0005) * Pi);
    store(inputs.PackingFrictionFactor, field(PistonFriction));
    store(inputs.PackingArea, field(PackingThickness) * Pi * field(PistonDiameter) * 1e-6);
    store(inputs.SpringMass, field(SpringWeight));
    store(inputs.SpringMinimumForce, field(MinimumForce));
    if (field(PistonStroke) <= 0) {
        if (!checkEachFormula) {
            return false;
        }
        ShowMessageAndAbort(OutOfRangeMessage);
    }
    store(inputs.SpringRate,
          (field(MaximumForce) - field(MinimumForce)) / (field(PistonStroke) * 0.001));
    store(inputs.Stroke, field(PistonStroke) * 0.001);
    store(inputs.Kappa, field(AdiabaticExponent));
    store(inputs.AmbientPressure, field(AirPressure) * 1e6);
    store(inputs.TimeStep, field(ComputationStep) * 0.001);
    return PendingFloatingPointFault() == FloatingPointFault::None;
}

}  // namespace

void ReadModelInputs(const GunParameterTexts& texts, char decimalSeparator, ModelInputs& inputs) {
    ReadModelInputs(GunFieldNumbers(texts, decimalSeparator), inputs);
}

void ReadModelInputs(const GunFieldNumbers& fields, ModelInputs& inputs) {
    ClearFloatingPointFaults();
    bool read = false;
    try {
        read = ReadBasicInputs(fields, inputs, false);
    } catch (const CommandFailure&) {
    }
    if (!read) {
        ClearFloatingPointFaults();
        ReadBasicInputs(fields, inputs, true);
    }
    ReadOptionalInputs(fields, inputs);
}

void ValidateModelInputs(const ModelInputs& in) {
    const double checked[] = {
        in.BoreDiameter,
        in.BoreArea,
        in.BulletMass,
        in.BarrelEnd,
        in.BarrelFrictionFactor,
        in.StartPressure,
        in.PistonMass,
        in.PistonArea,
        in.PackingFrictionFactor,
        in.PackingArea,
        in.SpringMass,
        in.SpringMinimumForce,
        in.SpringRate,
        in.Stroke,
        in.Kappa,
        in.AmbientPressure,
        in.TimeStep,
    };
    for (const double value : checked) {
        if (!(value > 0)) {
            ShowMessageAndAbort(OutOfRangeMessage);
        }
    }
}

void CompleteModelInputs(ModelInputs& inputs) {
    ClearFloatingPointFaults();
    inputs.SweptVolume = inputs.PistonArea * inputs.Stroke;
    // With AirTemperature the air's mass is the ideal gas's at AirPressure in the swept volume
    // and the passage (docs/extended-model.md); else the basic model's fixed density.
    inputs.AirMass = inputs.AirTemperature > 0
                         ? inputs.AmbientPressure *
                               (inputs.SweptVolume + inputs.BoreArea * inputs.PortLength) /
                               (GasConstant * inputs.AirTemperature)
                         : inputs.SweptVolume * AirDensity;
    inputs.BulletMassFactor =
        (inputs.AirMass / inputs.BulletMass) * (1.0 / 3.0) + inputs.BarrelFrictionFactor;
    ThrowIfFloatingPointFault();
}

bool UsesExtendedModel(const ModelInputs& in) {
    return in.PortDiameter != 0 || in.PortLength != ModelConstants::PortLength ||
           in.PistonRestitution != 0 || in.GasRamExponent != 0 || in.AirTemperature != 0;
}
