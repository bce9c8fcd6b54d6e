#pragma once
// The unit conversion window.

#include <QDialog>

#include "common/ProgramContext.h"

class Tprevody : public QDialog {
    Q_OBJECT
public:
    Tprevody(ProgramContext& context, QWidget* parent);

private:
    ProgramContext& context_;
};
