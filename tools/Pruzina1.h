#pragma once
// The spring force calculator window.

#include <QDialog>

#include "common/ProgramContext.h"

class Tpruzina : public QDialog {
    Q_OBJECT
public:
    Tpruzina(ProgramContext& context, QWidget* parent);

private:
    ProgramContext& context_;
};
