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
    // The tools belong to the main window, so they stay usable while it is shown modally, and
    // stay open when it is closed.
    prevody = std::make_unique<Tprevody>(context, vstup.get());
    pruzina = std::make_unique<Tpruzina>(context, vstup.get());
}

VelloranWindows::~VelloranWindows() {
    pruzina.reset();
    prevody.reset();
    oprogramu.reset();
    vstup.reset();
    zakladni.reset();
}
