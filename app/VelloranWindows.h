#pragma once
// The five windows of the program, each created once at start-up in this order and destroyed
// only when the program ends. A window reaches the others through this set.

#include <memory>

class Tzakladni;
class Tvstup;
class Toprogramu;
class Tprevody;
class Tpruzina;

struct ProgramContext;

struct VelloranWindows {
    // Creates the five windows in their order.
    explicit VelloranWindows(ProgramContext& context);
    ~VelloranWindows();  // destroys them in reverse order
    VelloranWindows(const VelloranWindows&) = delete;
    VelloranWindows& operator=(const VelloranWindows&) = delete;

    std::unique_ptr<Tzakladni> zakladni;    // start window; closing it ends the program
    std::unique_ptr<Tvstup> vstup;          // main working window
    std::unique_ptr<Toprogramu> oprogramu;  // about window
    std::unique_ptr<Tprevody> prevody;      // unit conversion
    std::unique_ptr<Tpruzina> pruzina;      // spring calculator
};
