#pragma once
// The program's one floating-point error mechanism. Invalid operations, divisions by zero and
// overflows are errors; underflow, denormal operands and inexact results pass silently.
// A computation clears the sticky flags before it starts and asks for them where its result
// would be used, so a fault never reaches a field, a series or a file.

#include <cfenv>

enum class FloatingPointFault { None, InvalidOperation, DivisionByZero, Overflow };

void ClearFloatingPointFaults();

// The fault raised since the last clearing. When several were raised, an invalid operation
// is named before a division by zero, and that before an overflow.
FloatingPointFault PendingFloatingPointFault();

// "Invalid floating point operation", "Floating point division by zero",
// "Floating point overflow"; empty for None.
const char* FloatingPointFaultMessage(FloatingPointFault fault);

// Raises the CommandError of the pending fault, if any.
void ThrowIfFloatingPointFault();

// Keeps the pending faults aside while a computation that clears and reads the flags for
// itself runs in between, and puts them back when it goes.
class FloatingPointFaultsKeptAside {
public:
    FloatingPointFaultsKeptAside();
    ~FloatingPointFaultsKeptAside();
    FloatingPointFaultsKeptAside(const FloatingPointFaultsKeptAside&) = delete;
    FloatingPointFaultsKeptAside& operator=(const FloatingPointFaultsKeptAside&) = delete;

private:
    std::fexcept_t pending_{};
};

// Makes the arithmetic that computes the value complete at this point, before a following read
// of the flags. The compiler sees no dependence between the two and may otherwise move the
// arithmetic of a value held in registers past the read.
template <class T>
[[gnu::always_inline]] inline void CompleteBeforeReadingFlags(const T& value) {
    asm volatile("" : : "m"(value) : "memory");
}
