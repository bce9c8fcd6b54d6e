// The gun report reader over any bytes: it gives a gun or nothing ("Wrong data format."),
// never more. Carriage returns change nothing wherever they stand. A gun it gives has a
// one-line name, finite values and values that the fields show as numbers Compute reads back.
// Written out again and read back, the gun keeps its name with the writer's blank added at
// each end and its values rounded to the writer's three decimals; once rounded, the values
// come back from a second write and read bit for bit. The optional section's reader, over the
// same bytes, ignores carriage returns too, and a section written after such a gun reads back
// rounded to three decimals.

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "common/FieldNumber.h"
#include "datafile/GunDataReader.h"
#include "datafile/GunDataWriter.h"
#include "datafile/ReportOptionalSection.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

std::optional<GunParameters> Read(const std::string& bytes) {
    std::istringstream in(bytes, std::ios::binary);
    return ReadGunData(in);
}

// The report of a gun; the summary takes the first parameters, so that wide numbers stand in
// the part the reader must not read.
std::string Written(const GunParameters& gun) {
    const GunReportSummary summary{gun.values[0], gun.values[1], gun.values[2], gun.values[3],
                                   gun.values[4]};
    std::ostringstream out(std::ios::binary);
    WriteGunData(out, gun.name, gun.values, summary);
    return out.str();
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SameGun(const std::optional<GunParameters>& a, const std::optional<GunParameters>& b) {
    if (a.has_value() != b.has_value()) {
        return false;
    }
    if (!a) {
        return true;
    }
    for (size_t i = 0; i < a->values.size(); ++i) {
        if (!SameBits(a->values[i], b->values[i])) {
            return false;
        }
    }
    return a->name == b->name;
}

std::string WithoutCarriageReturns(const std::string& bytes) {
    std::string stripped;
    for (const char c : bytes) {
        if (c != '\r') {
            stripped += c;
        }
    }
    return stripped;
}

void CheckGun(const GunParameters& gun) {
    Require(gun.name.find_first_of("\r\n") == std::string::npos, "the name is one line");
    for (size_t i = 0; i < gun.values.size(); ++i) {
        const std::string which = "parameter " + std::to_string(i + 1);
        Require(std::isfinite(gun.values[i]), which + " is finite");
        // Load shows the value in its field; Compute must be able to read that text.
        const std::string field = NumberToField(gun.values[i], '.');
        Require(TryFieldToNumber(field, '.').has_value(),
                which + " shows as '" + field + "', a text that reads back");
    }
}

void CheckRoundTrip(const GunParameters& gun) {
    const std::optional<GunParameters> once = Read(Written(gun));
    Require(once.has_value(), "a written report reads back");
    Require(once->name == " " + gun.name + " ", "the name comes back with a blank at each end");
    for (size_t i = 0; i < gun.values.size(); ++i) {
        // Three decimals, then the nearest double to them.
        const double value = gun.values[i];
        const double tolerance = 0.0005 + std::fabs(value) * 0x1p-52;
        Require(std::fabs(once->values[i] - value) <= tolerance,
                "parameter " + std::to_string(i + 1) + " comes back rounded to three decimals");
    }

    const std::optional<GunParameters> twice = Read(Written(*once));
    Require(twice.has_value(), "a report of a read report reads back");
    Require(twice->name == " " + once->name + " ", "the name grows by a blank at each end");
    for (size_t i = 0; i < gun.values.size(); ++i) {
        Require(SameBits(twice->values[i], once->values[i]),
                "parameter " + std::to_string(i + 1) + " is stable once rounded");
    }
}

void CheckOptionalSection(const std::string& bytes, const std::optional<GunParameters>& gun) {
    const OptionalSectionReading section = ReadOptionalSection(bytes);
    const OptionalSectionReading stripped = ReadOptionalSection(WithoutCarriageReturns(bytes));
    Require(section.failure == stripped.failure && section.values == stripped.values,
            "the optional section's reader drops carriage returns wherever they stand");
    if (!gun || !section.failure.empty()) {
        return;
    }
    std::ostringstream out(std::ios::binary);
    WriteGunData(out, gun->name, gun->values, std::nullopt, section.values);
    const OptionalSectionReading again = ReadOptionalSection(out.str());
    Require(again.failure.empty(), "a written optional section reads back");
    for (size_t i = 0; i < section.values.size(); ++i) {
        const double value = section.values[i];
        Require(std::fabs(again.values[i] - value) <= 0.0005 + std::fabs(value) * 0x1p-52,
                "optional parameter " + std::to_string(i + 1) +
                    " comes back rounded to three decimals");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<GunParameters> gun = Read(bytes);
    Require(SameGun(gun, Read(WithoutCarriageReturns(bytes))),
            "carriage returns are dropped wherever they stand");
    if (gun) {
        CheckGun(*gun);
        CheckRoundTrip(*gun);
    }
    CheckOptionalSection(bytes, gun);
    return 0;
}
