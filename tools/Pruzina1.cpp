#include "tools/Pruzina1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "common/CommandRunner.h"
#include "common/EtchedGroupBox.h"
#include "common/FieldNumber.h"
#include "common/WidgetPlacement.h"
#include "tools/SpringCalculation.h"

namespace {

struct SpringField {
    const char* caption;
    const char* unit;        // "" for the number of coils
    const char* designText;  // replaced by FormCreate where it has decimals
};

constexpr std::array<SpringField, 5> SpringFields{{
    {"Wire Thickness:", "mm", "2,9"},
    {"Outer Spring Diameter:", "mm", "19"},
    {"Number of Active Coil:", "", "33"},
    {"Spring Compression:", "mm", "35"},
    {"Elasticity Modulus in Shear:", "GPa", "81,5"},
}};

constexpr double DefaultWireThickness = 2.9;  // mm
constexpr double DefaultShearModulus = 81.5;  // GPa, spring steel

}  // namespace

Tpruzina::Tpruzina(ProgramContext& context, QWidget* parent)
    : PlainDialog(parent, ToolWindowFlags), context_(context) {
    setWindowTitle(QStringLiteral("Spring Calculation"));
    setFont(DefaultWindowFont());
    FixClientSizeAndCentre(this, 369, 153);

    BuildParameterFields();
    BuildResultControls();
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, Button1);
    setTabOrder(Button1, Edit6);

    FormCreate();
}

void Tpruzina::BuildParameterFields() {
    GroupBox1 = new EtchedGroupBox(QStringLiteral("Parameters"), this);
    GroupBox1->setGeometry(8, 4, 233, 142);
    std::array<QLineEdit*, SpringFields.size()> edits{};
    for (size_t i = 0; i < SpringFields.size(); ++i) {
        const SpringField& field = SpringFields[i];
        const int y = 16 + 24 * static_cast<int>(i);
        edits[i] = new QLineEdit(QString::fromLatin1(field.designText), GroupBox1);
        edits[i]->setGeometry(144, y, 49, 21);
        PlaceRightAlignedLabel(GroupBox1, QString::fromLatin1(field.caption), 138, y + 3);
        if (*field.unit != '\0') {
            PlaceLabel(GroupBox1, QString::fromLatin1(field.unit), 197, y + 3);
        }
    }
    Edit1 = edits[0];
    Edit2 = edits[1];
    Edit3 = edits[2];
    Edit4 = edits[3];
    Edit5 = edits[4];
}

void Tpruzina::BuildResultControls() {
    GroupBox2 = new EtchedGroupBox(this);
    GroupBox2->setGeometry(248, 4, 113, 142);
    Button1 = new QPushButton(QStringLiteral("Compute"), GroupBox2);
    Button1->setGeometry(8, 16, 97, 49);
    connect(Button1, &QPushButton::clicked, this, &Tpruzina::Button1Click);
    Label10 = PlaceLabel(GroupBox2, QStringLiteral("Spring Power [N]:"), 18, 83);
    Edit6 = new QLineEdit(QStringLiteral("0"), GroupBox2);
    Edit6->setGeometry(8, 105, 97, 21);
}

void Tpruzina::FormCreate() {
    Edit1->setText(
        QString::fromStdString(NumberToField(DefaultWireThickness, context_.decimalSeparator)));
    Edit5->setText(
        QString::fromStdString(NumberToField(DefaultShearModulus, context_.decimalSeparator)));
}

void Tpruzina::Button1Click() {
    RunCommand(context_.messages, [this] {
        const SpringInputTexts texts{Edit1->text().toStdString(), Edit2->text().toStdString(),
                                     Edit3->text().toStdString(), Edit4->text().toStdString(),
                                     Edit5->text().toStdString()};
        Edit6->setText(
            QString::fromStdString(ComputeSpringPower(texts, context_.decimalSeparator)));
    });
}
