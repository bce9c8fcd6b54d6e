#include "datafile/GunDataWriter.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// The example gun's sixteen parameters and the summary its computation gives.
constexpr std::array<double, GunParameterCount> ExampleGunValues = {
    4.5, 0.5, 450, 1.05, 1, 0.2, 25, 0.1, 3, 0.03, 200, 400, 60, 1.4, 0.1, 0.01};
constexpr GunReportSummary ExampleGunSummary = {4.5855932850092049, 9.7644306425298151,
                                                806.6714824824993, 205.31296568151512,
                                                10.538353469234753};

std::string Written(std::string_view name, const std::array<double, GunParameterCount>& values,
                    const GunReportSummary& summary) {
    std::ostringstream out;
    WriteGunData(out, name, values, summary);
    return out.str();
}

TEST(GunDataWriter, WritesTheExampleGunReportByteForByte) {
    // clang-format off
    const std::string expected =
        "\r\n"
        "   *** Velloran *** \r\n"
        "-------------------------------------------------------\r\n"
        " Spring-Piston Air Gun Interior Ballistics \r\n"
        "-------------------------------------------------------\r\n"
        "\r\n"
        " Air Gun:  Air Gun \r\n"
        "\r\n"
        " Caliber [mm]:               4.500  \r\n"
        " Bullet Weight [g]:          0.500  \r\n"
        " Barrel Length [mm]:       450.000  \r\n"
        " Barrel Friction [-]:        1.050  \r\n"
        " Initial Pressure [MPa]:     1.000  \r\n"
        " Piston Weight [kg]:         0.200  \r\n"
        " Piston Diameter [mm]:      25.000  \r\n"
        " Piston Friction [-]:        0.100  \r\n"
        " Packing Thickness [mm]:     3.000  \r\n"
        " Spring Weight [kg]:         0.030  \r\n"
        " Minimum Force [N]:        200.000  \r\n"
        " Maximum Force [N]:        400.000  \r\n"
        " Piston Stroke [mm]:        60.000  \r\n"
        " Adiabatic Exponent [-]:     1.400  \r\n"
        " Air Pressure [MPa]:         0.100  \r\n"
        " Computation Step [ms]:      0.010 \r\n"
        " \r\n"
        "         *** Computation *** \r\n"
        "-------------------------------------------------------\r\n"
        "\r\n"
        " Maximum Pressure:           4.586  MPa\r\n"
        " Max. Piston Velocity:       9.764  m/s\r\n"
        " Max. Temperature:         806.671  K\r\n"
        " Bullet Velocity:          205.313  m/s\r\n"
        " Bullet Energy:             10.538  J";
    // clang-format on
    EXPECT_EQ(Written(" Air Gun", ExampleGunValues, ExampleGunSummary), expected);
}

}  // namespace
