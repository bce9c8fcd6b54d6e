#include "app/VelloranWindows.h"

#include "app/Oprogramu1.h"
#include "app/Vstup1.h"
#include "app/Zakladni1.h"
#include "tools/Prevody1.h"
#include "tools/Pruzina1.h"

VelloranWindows::VelloranWindows(ProgramContext& context) {
    zakladni = std::make_unique<Tzakladni>(*this);
    vstup = std::make_unique<Tvstup>(context, *this);
    oprogramu = std::make_unique<Toprogramu>();
    // The tools are top-level windows of their own: the main window, modal to the start window
    // only, leaves them usable; they can go behind it, and stay open when it is closed.
    prevody = std::make_unique<Tprevody>(context, nullptr);
    pruzina = std::make_unique<Tpruzina>(context, nullptr);
}

VelloranWindows::~VelloranWindows() {
    pruzina.reset();
    prevody.reset();
    oprogramu.reset();
    vstup.reset();
    zakladni.reset();
}
