#pragma once
// The unit conversion window: nine groups of two fields, each converted into the other by an
// arrow button (down: upper into lower, up: lower into upper).

#include "common/PlainDialog.h"
#include "common/ProgramContext.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
struct ConversionRow;

class Tprevody : public PlainDialog {
    Q_OBJECT
public:
    Tprevody(ProgramContext& context, QWidget* parent);

    QGroupBox* GroupBox1;  // "Mass", g and gr
    QGroupBox* GroupBox2;  // "Distance", m and yd
    QGroupBox* GroupBox3;  // "Velocity", m/s and ft/s
    QGroupBox* GroupBox4;  // "Energy", J and ft.lb
    QGroupBox* GroupBox5;  // "Distance", cm and in
    QGroupBox* GroupBox6;  // "Distance", m and ft
    QGroupBox* GroupBox7;  // "Mass", g and oz
    QGroupBox* GroupBox8;  // "Pressure", MPa and psi
    QGroupBox* GroupBox9;  // "Pressure", MPa and bar

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
    QLineEdit* Edit8;
    QLineEdit* Edit9;
    QLineEdit* Edit10;
    QLineEdit* Edit11;
    QLineEdit* Edit12;
    QLineEdit* Edit13;
    QLineEdit* Edit14;
    QLineEdit* Edit15;
    QLineEdit* Edit16;
    QLineEdit* Edit17;
    QLineEdit* Edit18;

    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QPushButton* BitBtn6;
    QPushButton* BitBtn7;
    QPushButton* BitBtn8;
    QPushButton* BitBtn9;
    QPushButton* BitBtn10;
    QPushButton* BitBtn11;
    QPushButton* BitBtn12;
    QPushButton* BitBtn13;
    QPushButton* BitBtn14;
    QPushButton* BitBtn15;
    QPushButton* BitBtn16;
    QPushButton* BitBtn17;
    QPushButton* BitBtn18;

    // The field or button of the given designer number (Edit7, BitBtn12).
    QLineEdit* EditNumber(int number) const;
    QPushButton* BitBtnNumber(int number) const;

    // The click of every arrow button, bound to its row of the conversion table: converts the
    // row's source field into its target field. On an error the target keeps its text; the
    // source field is never changed.
    void BitBtnClick(const ConversionRow& row);

private:
    ProgramContext& context_;
};
