#pragma once
// The spring force calculator window: wire thickness, outer diameter, active coils,
// compression and shear modulus in, the spring's force in whole newtons out.

#include "common/PlainDialog.h"
#include "common/ProgramContext.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Tpruzina : public PlainDialog {
    Q_OBJECT
public:
    Tpruzina(ProgramContext& context, QWidget* parent);

    QGroupBox* GroupBox1;  // "Parameters"
    QLineEdit* Edit1;      // wire thickness, mm
    QLineEdit* Edit2;      // outer spring diameter, mm
    QLineEdit* Edit3;      // number of active coils
    QLineEdit* Edit4;      // spring compression, mm
    QLineEdit* Edit5;      // shear modulus, GPa
    QGroupBox* GroupBox2;
    QPushButton* Button1;  // "Compute"
    QLabel* Label10;       // "Spring Power [N]:"
    QLineEdit* Edit6;      // the force, N; written by Compute and never read

    // Writes the two decimal defaults with the user's decimal separator.
    void FormCreate();
    // "Compute": the force of the spring in the five fields, rounded up, into Edit6. On an
    // error Edit6 keeps its text.
    void Button1Click();

private:
    void BuildParameterFields();
    void BuildResultControls();

    ProgramContext& context_;
};
