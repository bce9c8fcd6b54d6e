#pragma once
// The sixteen numbers and the name that describe a gun, in display units and in the fixed
// order of the entry fields, of the reading and of the report file; and the one table that
// says, for each number, how the window, the report and the command line present it. Apart
// from them, the extended model's five optional parameters, which the window does not show:
// the command line sets them and the report keeps them in a section of their own.

#include <array>
#include <optional>
#include <string>
#include <string_view>

// One row of GunParameterTable per value, in this order.
enum class GunParameter {
    Caliber,            // mm, bore diameter
    BulletWeight,       // g
    BarrelLength,       // mm, bullet travel from its start position to the muzzle
    BarrelFriction,     // dimensionless
    InitialPressure,    // MPa above ambient that releases the bullet
    PistonWeight,       // kg
    PistonDiameter,     // mm
    PistonFriction,     // dimensionless, packing against the cylinder wall
    PackingThickness,   // mm, axial width of the packing
    SpringWeight,       // kg
    MinimumForce,       // N, spring force at the end of the stroke
    MaximumForce,       // N, spring force with the piston cocked
    PistonStroke,       // mm
    AdiabaticExponent,  // dimensionless
    AirPressure,        // MPa, ambient
    ComputationStep,    // ms, integration time step
    // The optional parameters, in the order of OptionalParameterTable (docs/extended-model.md).
    PortDiameter,       // mm, effective transfer port diameter; 0: no restriction
    PortLength,         // mm, transfer port length
    PistonRestitution,  // dimensionless, rebound over impact speed; 0: dead stop
    GasRamExponent,     // dimensionless, polytropic exponent of a gas ram; 0: coil spring
    AirTemperature,     // K, the air's temperature at the start; 0: fixed air density
};

inline constexpr int Index(GunParameter parameter) {
    return static_cast<int>(parameter);
}

// The values the Compute command accepts for a parameter (it checks the converted and derived
// values, so each rule here is the consequence for the one parameter). There is no upper bound.
enum class AcceptedRange {
    Positive,           // greater than 0
    AboveMinimumForce,  // greater than the minimum force: the spring rate must be positive
    ZeroOrPositive,     // 0 (neutral) or greater than 0
    FromZeroBelowOne,   // from 0 up to but excluding 1
    ZeroOrGasRam,       // 0 (coil spring) or from 1 to 1.67
};

// "above 0", "0, or from 1 to 1.67": the accepted values in words, for lists and messages.
const char* AcceptedValuesText(AcceptedRange range);

// Whether an optional parameter's value (in its display unit) lies in its range. The ranges
// of the sixteen depend on derived values and are checked by ValidateModelInputs.
constexpr bool IsAccepted(AcceptedRange range, double value) {
    switch (range) {
        case AcceptedRange::Positive:
            return value > 0;
        case AcceptedRange::ZeroOrPositive:
            return value >= 0;
        case AcceptedRange::FromZeroBelowOne:
            return value >= 0 && value < 1;
        case AcceptedRange::ZeroOrGasRam:
            return value == 0 || (value >= 1.0 && value <= 1.67);
        case AcceptedRange::AboveMinimumForce:
            break;
    }
    return false;
}

// Where a parameter's field stands in the main window's "Parametres" box: two columns of eight.
struct FieldSlot {
    int column;  // 0 left, 1 right
    int row;     // 0 top … 7
};
inline constexpr int FieldColumns = 2;
inline constexpr int FieldRows = 8;

struct GunParameterInfo {
    GunParameter parameter;
    const char* fieldName;  // Caliber: the name on the command line and in CSV headers
    const char* caption;    // "Caliber:", left of the field
    const char* unit;       // "mm" right of the field, or "" for a dimensionless quantity
    // The report line up to its number, which follows as "%6.3f". The spacing differs from
    // line to line and is part of the layout: the number follows 28 characters here, 27 on
    // three lines.
    const char* reportLabel;
    // Compute accepts a diameter and a packing thickness that are both negative too (they
    // enter as a square and as a product); the range here is the physical one.
    AcceptedRange range;
    FieldSlot slot;
    // For the parameter list of the command line, its manual page and the README's glossary.
    const char* meaning;
    const char* actsOn;  // what the value acts on in the model, couplings included
};

// clang-format off
inline constexpr auto GunParameterTable = std::to_array<GunParameterInfo>({
    {GunParameter::Caliber,           "Caliber",           "Caliber:",            "mm",  " Caliber [mm]:              ", AcceptedRange::Positive,          {0, 0},
     "bore diameter",
     "the bore area (0.82 × d²) on which the air drives the bullet, and the air column's drag"},
    {GunParameter::BulletWeight,      "BulletWeight",      "Bullet Weight:",      "g",   " Bullet Weight [g]:         ", AcceptedRange::Positive,          {0, 1},
     "mass of the bullet (pellet)",
     "the bullet's acceleration, with BarrelFriction and a third of the air mass as its factor"},
    {GunParameter::BarrelLength,      "BarrelLength",      "Barrel Length:",      "mm",  " Barrel Length [mm]:       ",  AcceptedRange::Positive,          {0, 2},
     "travel of the bullet from its start position to the muzzle",
     "where the shot ends: the muzzle figures are those at this travel"},
    {GunParameter::BarrelFriction,    "BarrelFriction",    "Barrel Friction:",    "",    " Barrel Friction [-]:       ", AcceptedRange::Positive,          {0, 3},
     "barrel friction coefficient",
     "the bullet's effective mass: it adds to a third of the air's mass over the bullet's"},
    {GunParameter::InitialPressure,   "InitialPressure",   "Initial Pressure:",   "MPa", " Initial Pressure [MPa]:    ", AcceptedRange::Positive,          {0, 4},
     "pressure above ambient that the air must reach before the bullet moves",
     "the bullet's release; a pressure the air never reaches ends the shot at the step limit"},
    {GunParameter::PistonWeight,      "PistonWeight",      "Piston Weight:",      "kg",  " Piston Weight [kg]:        ", AcceptedRange::Positive,          {0, 5},
     "mass of the piston",
     "the piston's acceleration, with a third of SpringWeight"},
    {GunParameter::PistonDiameter,    "PistonDiameter",    "Piston Diameter:",    "mm",  " Piston Diameter [mm]:      ", AcceptedRange::Positive,          {0, 6},
     "diameter of the piston and cylinder bore",
     "the swept volume and air mass, the piston face, and with PackingThickness the packing's area"},
    {GunParameter::PistonFriction,    "PistonFriction",    "Piston Friction:",    "",    " Piston Friction [-]:       ", AcceptedRange::Positive,          {0, 7},
     "friction coefficient of the packing against the cylinder wall",
     "the packing friction, which is PistonFriction × PackingThickness × PistonDiameter × π times the pressure above ambient: PistonFriction and PackingThickness act only as their product"},
    {GunParameter::PackingThickness,  "PackingThickness",  "Packing Thickness:",  "mm",  " Packing Thickness [mm]:    ", AcceptedRange::Positive,          {1, 0},
     "axial width of the packing in contact with the cylinder wall",
     "only the packing friction, as the product PistonFriction × PackingThickness (and PistonDiameter)"},
    {GunParameter::SpringWeight,      "SpringWeight",      "Spring Weight:",      "kg",  " Spring Weight [kg]:        ", AcceptedRange::Positive,          {1, 1},
     "mass of the main spring",
     "the piston's acceleration: a third of it moves with the piston"},
    {GunParameter::MinimumForce,      "MinimumForce",      "Minimum Force:",      "N",   " Minimum Force [N]:        ",  AcceptedRange::Positive,          {1, 2},
     "spring force at the end of the stroke (spring least compressed)",
     "the spring force, linear from MaximumForce at the cocked position to this at the end of the stroke"},
    {GunParameter::MaximumForce,      "MaximumForce",      "Maximum Force:",      "N",   " Maximum Force [N]:        ",  AcceptedRange::AboveMinimumForce, {1, 3},
     "spring force with the piston cocked (spring most compressed)",
     "the spring rate (MaximumForce − MinimumForce) / PistonStroke and so the spring force"},
    {GunParameter::PistonStroke,      "PistonStroke",      "Piston Stroke:",      "mm",  " Piston Stroke [mm]:        ", AcceptedRange::Positive,          {1, 4},
     "travel of the piston from the cocked position to the end of the cylinder",
     "the swept volume and air mass, the spring rate, and where the piston stops dead"},
    {GunParameter::AdiabaticExponent, "AdiabaticExponent", "Adiabatic Exponent:", "",    " Adiabatic Exponent [-]:    ", AcceptedRange::Positive,          {1, 5},
     "ratio of specific heats of the air",
     "how the pressure and temperature of the compressed air rise"},
    {GunParameter::AirPressure,       "AirPressure",       "Air Pressure:",       "MPa", " Air Pressure [MPa]:        ", AcceptedRange::Positive,          {1, 6},
     "ambient (atmospheric) pressure",
     "the air's start state, and the pressure against the piston's back and ahead of the bullet"},
    {GunParameter::ComputationStep,   "ComputationStep",   "Computation Step:",   "ms",  " Computation Step [ms]:     ", AcceptedRange::Positive,          {1, 7},
     "time step of the integration",
     "accuracy and the step limit (10 000 steps): too small a step ends the shot there"},
});
// clang-format on

inline constexpr int GunParameterCount = static_cast<int>(GunParameterTable.size());

namespace GunParameterTableChecks {
constexpr bool RowsFollowTheEnumeration() {
    for (size_t i = 0; i < GunParameterTable.size(); ++i) {
        if (Index(GunParameterTable[i].parameter) != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}
constexpr bool EverySlotInsideTheBoxAndTakenOnce() {
    std::array<std::array<bool, FieldRows>, FieldColumns> taken{};
    for (const GunParameterInfo& info : GunParameterTable) {
        const auto [column, row] = info.slot;
        if (column < 0 || column >= FieldColumns || row < 0 || row >= FieldRows ||
            taken[static_cast<size_t>(column)][static_cast<size_t>(row)]) {
            return false;
        }
        taken[static_cast<size_t>(column)][static_cast<size_t>(row)] = true;
    }
    return true;
}
constexpr bool LabelEndsWithTheColonTheReaderCounts(std::string_view label) {
    return label.find(':') == label.rfind(':') && label.find(':') != std::string_view::npos &&
           label.find('*') == std::string_view::npos;
}
constexpr bool EveryRowComplete() {
    for (const GunParameterInfo& info : GunParameterTable) {
        if (info.fieldName == nullptr || info.caption == nullptr || info.unit == nullptr ||
            info.reportLabel == nullptr || info.meaning == nullptr || info.actsOn == nullptr ||
            !LabelEndsWithTheColonTheReaderCounts(info.reportLabel)) {
            return false;
        }
    }
    return true;
}
}  // namespace GunParameterTableChecks

static_assert(GunParameterTableChecks::RowsFollowTheEnumeration(),
              "GunParameterTable has one row per GunParameter, in the enumeration's order");
static_assert(GunParameterTableChecks::EverySlotInsideTheBoxAndTakenOnce(),
              "each parameter field needs a slot of its own inside the two columns of eight");
static_assert(GunParameterTableChecks::EveryRowComplete(),
              "every row needs its texts; a report label holds exactly one colon and no '*'");

// The row of one of the sixteen; FieldNameOf, UnitOf and RangeOf serve any parameter.
inline constexpr const GunParameterInfo& InfoOf(GunParameter parameter) {
    return GunParameterTable[static_cast<size_t>(Index(parameter))];
}

struct OptionalParameterInfo {
    GunParameter parameter;
    const char* fieldName;    // PortDiameter: the name on the command line
    const char* unit;         // "mm", or "" for a dimensionless quantity
    double neutral;           // the value at which the shot is the basic model's
    const char* reportLabel;  // the line of the report's optional section up to its number
    AcceptedRange range;
    const char* meaning;
    const char* actsOn;
};

// clang-format off
inline constexpr auto OptionalParameterTable = std::to_array<OptionalParameterInfo>({
    {GunParameter::PortDiameter,      "PortDiameter",      "mm", 0,  " Port Diameter [mm]:        ", AcceptedRange::ZeroOrPositive,
     "effective diameter of the transfer port, its discharge loss included; 0 = no restriction",
     "the flow from the cylinder into a breech volume of its own, which the bullet then sees"},
    {GunParameter::PortLength,        "PortLength",        "mm", 22, " Port Length [mm]:          ", AcceptedRange::Positive,
     "length of the transfer port",
     "the breech volume, the port's volume with the bore behind the seated bullet"},
    {GunParameter::PistonRestitution, "PistonRestitution", "",   0,  " Piston Restitution [-]:    ", AcceptedRange::FromZeroBelowOne,
     "the piston's rebound speed over its impact speed at the end of the cylinder; 0 = dead stop",
     "the piston's motion after it strikes the end of the cylinder, and the energy lost there"},
    {GunParameter::GasRamExponent,    "GasRamExponent",    "",   0,  " Gas Ram Exponent [-]:      ", AcceptedRange::ZeroOrGasRam,
     "0 = coil spring; else a gas ram whose force falls polytropically with this exponent",
     "the driving force, from MaximumForce cocked to MinimumForce at the end of the stroke; SpringWeight is then the ram's moving mass"},
    {GunParameter::AirTemperature,    "AirTemperature",    "K",  0,  " Air Temperature [K]:       ", AcceptedRange::ZeroOrPositive,
     "the air's temperature at the start; 0 = the fixed air density",
     "the air's mass, then from AirPressure, the volume and this temperature"},
});
// clang-format on

inline constexpr int OptionalParameterCount = static_cast<int>(OptionalParameterTable.size());
inline constexpr int AllParameterCount = GunParameterCount + OptionalParameterCount;

namespace GunParameterTableChecks {
constexpr bool OptionalRowsFollowTheEnumeration() {
    for (size_t i = 0; i < OptionalParameterTable.size(); ++i) {
        const OptionalParameterInfo& info = OptionalParameterTable[i];
        if (Index(info.parameter) != GunParameterCount + static_cast<int>(i) ||
            !LabelEndsWithTheColonTheReaderCounts(info.reportLabel) ||
            !IsAccepted(info.range, info.neutral)) {
            return false;
        }
    }
    return true;
}
}  // namespace GunParameterTableChecks
static_assert(GunParameterTableChecks::OptionalRowsFollowTheEnumeration(),
              "OptionalParameterTable follows the sixteen in the enumeration's order; each "
              "label holds one colon, and each neutral value is an accepted one");

constexpr bool IsOptional(GunParameter parameter) {
    return Index(parameter) >= GunParameterCount;
}

// The row of an optional parameter.
inline constexpr const OptionalParameterInfo& OptionalInfoOf(GunParameter parameter) {
    return OptionalParameterTable[static_cast<size_t>(Index(parameter) - GunParameterCount)];
}

// What every parameter has, whichever table holds its row.
constexpr const char* FieldNameOf(GunParameter parameter) {
    return IsOptional(parameter) ? OptionalInfoOf(parameter).fieldName
                                 : InfoOf(parameter).fieldName;
}
constexpr const char* UnitOf(GunParameter parameter) {
    return IsOptional(parameter) ? OptionalInfoOf(parameter).unit : InfoOf(parameter).unit;
}
constexpr AcceptedRange RangeOf(GunParameter parameter) {
    return IsOptional(parameter) ? OptionalInfoOf(parameter).range : InfoOf(parameter).range;
}

// The parameter whose field name is given (case-sensitive), the sixteen and the optional five,
// if any.
std::optional<GunParameter> GunParameterByFieldName(std::string_view fieldName);

// The values of the optional parameters in the table's order, in their display units.
using OptionalParameterValues = std::array<double, OptionalParameterCount>;

constexpr OptionalParameterValues NeutralOptionalValues() {
    OptionalParameterValues values{};
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = OptionalParameterTable[i].neutral;
    }
    return values;
}

// The texts of the sixteen entry fields, as the user typed them, followed by those of the five
// optional parameters: an empty text there means the parameter is not given and neutral (the
// window leaves them so, and computes the basic model).
using GunParameterTexts = std::array<std::string, AllParameterCount>;

struct GunParameters {
    std::array<double, GunParameterCount> values{};
    OptionalParameterValues optional = NeutralOptionalValues();
    std::string name;  // GunName; used only by the report file
};
