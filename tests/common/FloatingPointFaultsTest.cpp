#include "common/FloatingPointFaults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/CommandErrors.h"

namespace {

// Volatile operands keep the compiler from folding the arithmetic away at compile time.
FloatingPointFault FaultOf(double (*operation)(double, double), double a, double b) {
    volatile double left = a;
    volatile double right = b;
    ClearFloatingPointFaults();
    volatile double result = operation(left, right);
    (void)result;
    return PendingFloatingPointFault();
}

double Divide(double a, double b) {
    return a / b;
}
double Multiply(double a, double b) {
    return a * b;
}
double RootOfDifference(double a, double b) {
    return std::sqrt(a - b);
}

}  // namespace

TEST(FloatingPointFaults, DivisionByZeroInvalidOperationAndOverflowAreFaults) {
    EXPECT_EQ(FaultOf(Divide, 1, 0), FloatingPointFault::DivisionByZero);
    EXPECT_EQ(FaultOf(Divide, 0, 0), FloatingPointFault::InvalidOperation);
    EXPECT_EQ(FaultOf(RootOfDifference, 1, 2), FloatingPointFault::InvalidOperation);
    EXPECT_EQ(FaultOf(Multiply, 1e308, 10), FloatingPointFault::Overflow);
}

TEST(FloatingPointFaults, UnderflowDenormalsAndInexactResultsPass) {
    EXPECT_EQ(FaultOf(Multiply, 1e-300, 1e-300), FloatingPointFault::None);
    EXPECT_EQ(FaultOf(Multiply, std::numeric_limits<double>::denorm_min(), 3),
              FloatingPointFault::None);
    EXPECT_EQ(FaultOf(Divide, 1, 3), FloatingPointFault::None);
}

TEST(FloatingPointFaults, RaiseTheirErrorTexts) {
    volatile double zero = 0;
    ClearFloatingPointFaults();
    volatile double quotient = 1 / zero;
    (void)quotient;
    try {
        ThrowIfFloatingPointFault();
        ADD_FAILURE() << "no error raised";
    } catch (const CommandError& error) {
        EXPECT_STREQ(error.what(), "Floating point division by zero");
    }
    ClearFloatingPointFaults();
    EXPECT_NO_THROW(ThrowIfFloatingPointFault());
    EXPECT_STREQ(FloatingPointFaultMessage(FloatingPointFault::InvalidOperation),
                 "Invalid floating point operation");
    EXPECT_STREQ(FloatingPointFaultMessage(FloatingPointFault::Overflow),
                 "Floating point overflow");
}
