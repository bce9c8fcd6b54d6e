#include "common/FloatingPointFaults.h"

#include <cfenv>

#include "common/CommandErrors.h"

namespace {
constexpr int FaultFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
}

void ClearFloatingPointFaults() {
    std::feclearexcept(FaultFlags);
}

FloatingPointFault PendingFloatingPointFault() {
    const int raised = std::fetestexcept(FaultFlags);
    if (raised & FE_INVALID) {
        return FloatingPointFault::InvalidOperation;
    }
    if (raised & FE_DIVBYZERO) {
        return FloatingPointFault::DivisionByZero;
    }
    if (raised & FE_OVERFLOW) {
        return FloatingPointFault::Overflow;
    }
    return FloatingPointFault::None;
}

const char* FloatingPointFaultMessage(FloatingPointFault fault) {
    switch (fault) {
        case FloatingPointFault::InvalidOperation:
            return "Invalid floating point operation";
        case FloatingPointFault::DivisionByZero:
            return "Floating point division by zero";
        case FloatingPointFault::Overflow:
            return "Floating point overflow";
        case FloatingPointFault::None:
            break;
    }
    return "";
}

FloatingPointFaultsKeptAside::FloatingPointFaultsKeptAside() {
    std::fegetexceptflag(&pending_, FaultFlags);
}

FloatingPointFaultsKeptAside::~FloatingPointFaultsKeptAside() {
    std::fesetexceptflag(&pending_, FaultFlags);
}

void ThrowIfFloatingPointFault() {
    const FloatingPointFault fault = PendingFloatingPointFault();
    if (fault != FloatingPointFault::None) {
        throw CommandError(FloatingPointFaultMessage(fault));
    }
}
