#include "tools/Prevody1.h"

#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <array>

#include "common/CommandRunner.h"
#include "common/EtchedGroupBox.h"
#include "common/WidgetPlacement.h"
#include "tools/ArrowGlyph.h"
#include "tools/ConversionTable.h"
#include "tools/UnitConversion.h"

namespace {

// One group box: its place, its two fields and the buttons that convert between them. The
// units and decimals come from the buttons' rows of the conversion table.
struct ConversionGroup {
    int groupBox;
    const char* caption;
    int x, y;
    int upperField, lowerField;
    int downButton, upButton;
    bool buttonsFirst;  // the buttons come before the fields in the tab order
};

// In tab order, which is the order of the group boxes' numbers.
// clang-format off
constexpr std::array<ConversionGroup, 9> ConversionGroups{{
    {1, "Mass",       8,  81,  1,  2,  2,  1, false},
    {2, "Distance", 344,   6,  3,  4,  3,  4, false},
    {3, "Velocity", 344,  81,  5,  6,  5,  6, false},
    {4, "Energy",     8, 156,  7,  8,  7,  8, false},
    {5, "Distance",   8,   6,  9, 10,  9, 10, true},
    {6, "Distance", 176,   6, 11, 12, 11, 12, true},
    {7, "Mass",     176,  81, 13, 14, 14, 13, false},
    {8, "Pressure", 176, 156, 15, 16, 15, 16, false},
    {9, "Pressure", 344, 156, 17, 18, 17, 18, false},
}};
// clang-format on

constexpr int GroupWidth = 161;
constexpr int GroupHeight = 73;
constexpr int ButtonWidth = 25;
constexpr int ButtonHeight = 45;

using GroupBoxMember = QGroupBox* Tprevody::*;
using EditMember = QLineEdit* Tprevody::*;
using BitBtnMember = QPushButton* Tprevody::*;

constexpr std::array<GroupBoxMember, 9> GroupBoxMembers{
    &Tprevody::GroupBox1, &Tprevody::GroupBox2, &Tprevody::GroupBox3,
    &Tprevody::GroupBox4, &Tprevody::GroupBox5, &Tprevody::GroupBox6,
    &Tprevody::GroupBox7, &Tprevody::GroupBox8, &Tprevody::GroupBox9};

constexpr std::array<EditMember, ConversionCount> EditMembers{
    &Tprevody::Edit1,  &Tprevody::Edit2,  &Tprevody::Edit3,  &Tprevody::Edit4,  &Tprevody::Edit5,
    &Tprevody::Edit6,  &Tprevody::Edit7,  &Tprevody::Edit8,  &Tprevody::Edit9,  &Tprevody::Edit10,
    &Tprevody::Edit11, &Tprevody::Edit12, &Tprevody::Edit13, &Tprevody::Edit14, &Tprevody::Edit15,
    &Tprevody::Edit16, &Tprevody::Edit17, &Tprevody::Edit18};

constexpr std::array<BitBtnMember, ConversionCount> BitBtnMembers{
    &Tprevody::BitBtn1,  &Tprevody::BitBtn2,  &Tprevody::BitBtn3,  &Tprevody::BitBtn4,
    &Tprevody::BitBtn5,  &Tprevody::BitBtn6,  &Tprevody::BitBtn7,  &Tprevody::BitBtn8,
    &Tprevody::BitBtn9,  &Tprevody::BitBtn10, &Tprevody::BitBtn11, &Tprevody::BitBtn12,
    &Tprevody::BitBtn13, &Tprevody::BitBtn14, &Tprevody::BitBtn15, &Tprevody::BitBtn16,
    &Tprevody::BitBtn17, &Tprevody::BitBtn18};

QPushButton* ArrowButton(QWidget* parent, int x, const QPixmap& glyph) {
    auto* button = new QPushButton(parent);
    button->setGeometry(x, 16, ButtonWidth, ButtonHeight);
    button->setIcon(glyph);
    button->setIconSize(glyph.size());
    return button;
}

}  // namespace

Tprevody::Tprevody(ProgramContext& context, QWidget* parent)
    : PlainDialog(parent, ToolWindowFlags), context_(context) {
    setWindowTitle(QStringLiteral("Unit Conversion"));
    setFont(DefaultWindowFont());
    FixClientSizeAndCentre(this, 512, 236);

    const QPixmap downGlyph = QPixmap::fromImage(ArrowGlyph(ArrowDirection::Down));
    const QPixmap upGlyph = QPixmap::fromImage(ArrowGlyph(ArrowDirection::Up));
    QWidget* previousTabStop = nullptr;
    const auto chainTabStop = [&](QWidget* widget) {
        if (previousTabStop) {
            setTabOrder(previousTabStop, widget);
        }
        previousTabStop = widget;
    };

    for (const ConversionGroup& group : ConversionGroups) {
        const ConversionRow& down = *ConversionOfButton(group.downButton);
        auto* box = new EtchedGroupBox(QString::fromLatin1(group.caption), this);
        box->setGeometry(group.x, group.y, GroupWidth, GroupHeight);
        this->*GroupBoxMembers[static_cast<size_t>(group.groupBox - 1)] = box;

        QPushButton* downButton = ArrowButton(box, 8, downGlyph);
        QPushButton* upButton = ArrowButton(box, 128, upGlyph);
        auto* upper = new QLineEdit(QStringLiteral("0"), box);
        upper->setGeometry(40, 16, 57, 21);
        auto* lower = new QLineEdit(QStringLiteral("0"), box);
        lower->setGeometry(40, 40, 57, 21);
        PlaceLabel(box, QString::fromUtf8(down.fromUnit.data(), down.fromUnit.size()), 104, 19);
        PlaceLabel(box, QString::fromUtf8(down.toUnit.data(), down.toUnit.size()), 104, 43);

        this->*EditMembers[static_cast<size_t>(group.upperField - 1)] = upper;
        this->*EditMembers[static_cast<size_t>(group.lowerField - 1)] = lower;
        this->*BitBtnMembers[static_cast<size_t>(group.downButton - 1)] = downButton;
        this->*BitBtnMembers[static_cast<size_t>(group.upButton - 1)] = upButton;

        if (group.buttonsFirst) {
            chainTabStop(downButton);
            chainTabStop(upButton);
        }
        chainTabStop(upper);
        chainTabStop(lower);
        if (!group.buttonsFirst) {
            chainTabStop(downButton);
            chainTabStop(upButton);
        }
    }
    // The grain and ounce fields take the focus from a click but are passed over by Tab.
    Edit2->setFocusPolicy(Qt::ClickFocus);
    Edit14->setFocusPolicy(Qt::ClickFocus);

    for (const ConversionRow& row : ConversionTable) {
        connect(BitBtnNumber(row.button), &QPushButton::clicked, this,
                [this, &row] { BitBtnClick(row); });
    }
}

QLineEdit* Tprevody::EditNumber(int number) const {
    return this->*EditMembers.at(static_cast<size_t>(number - 1));
}

QPushButton* Tprevody::BitBtnNumber(int number) const {
    return this->*BitBtnMembers.at(static_cast<size_t>(number - 1));
}

void Tprevody::BitBtnClick(const ConversionRow& row) {
    RunCommand(context_.messages, [&] {
        const std::string result = ConvertFieldText(
            EditNumber(row.sourceField)->text().toStdString(), row, context_.decimalSeparator);
        EditNumber(row.targetField)->setText(QString::fromStdString(result));
    });
}
