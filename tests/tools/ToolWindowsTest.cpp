#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "app/Vstup1.h"
#include "tests/app/WindowsFixture.h"
#include "tools/ArrowGlyph.h"
#include "tools/Prevody1.h"
#include "tools/Pruzina1.h"

namespace {

using ToolWindows = WindowsFixture;

class ToolWindowsWithComma : public WindowsFixture {
protected:
    ToolWindowsWithComma() : WindowsFixture(',') {}
};

// The label whose top-left corner (or top-right pixel) stands at the position.
QLabel* LabelAt(QWidget* parent, QPoint position, Qt::Alignment corner = Qt::AlignLeft) {
    for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect frame = label->geometry();
        if ((corner == Qt::AlignRight ? frame.topRight() : frame.topLeft()) == position) {
            return label;
        }
    }
    return nullptr;
}

void Type(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

void Click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// The widgets that Tab reaches one after the other, starting from the first.
std::vector<QWidget*> TabWalk(QWidget* first, size_t count) {
    first->window()->show();
    first->window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(first->window()));
    first->setFocus();
    std::vector<QWidget*> reached{QApplication::focusWidget()};
    while (reached.size() < count) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    return reached;
}

struct GroupCase {
    int groupBox;
    const char* caption;
    QPoint position;
    int upperEdit, lowerEdit, downButton, upButton;
    const char* upperUnit;
    const char* lowerUnit;
    const char* oneDown;  // "1" in the upper field, converted into the lower one
    const char* oneUp;    // "1" in the lower field, converted into the upper one
};

// clang-format off
const GroupCase Groups[] = {
    {1, "Mass",     {8, 81},    1,  2,  2,  1, "g",   "gr",    "15.4324", "0.0648"},
    {2, "Distance", {344, 6},   3,  4,  3,  4, "m",   "yd",    "1.094",   "0.914"},
    {3, "Velocity", {344, 81},  5,  6,  5,  6, "m/s", "ft/s",  "3.281",   "0.305"},
    {4, "Energy",   {8, 156},   7,  8,  7,  8, "J",   "ft.lb", "0.738",   "1.356"},
    {5, "Distance", {8, 6},     9, 10,  9, 10, "cm",  "in",    "0.394",   "2.54"},
    {6, "Distance", {176, 6},  11, 12, 11, 12, "m",   "ft",    "3.281",   "0.305"},
    {7, "Mass",     {176, 81}, 13, 14, 14, 13, "g",   "oz",    "0.035",   "28.349"},
    {8, "Pressure", {176, 156}, 15, 16, 15, 16, "MPa", "psi",  "145.04",  "0.01"},
    {9, "Pressure", {344, 156}, 17, 18, 17, 18, "MPa", "bar",  "10",      "0.1"},
};
// clang-format on

TEST_F(ToolWindows, EveryGroupStandsInPlaceAndConvertsBothWays) {
    Tprevody& p = *windows.prevody;
    const QImage down = ArrowGlyph(ArrowDirection::Down);
    const QImage up = ArrowGlyph(ArrowDirection::Up);
    const QGroupBox* boxes[] = {p.GroupBox1, p.GroupBox2, p.GroupBox3, p.GroupBox4, p.GroupBox5,
                                p.GroupBox6, p.GroupBox7, p.GroupBox8, p.GroupBox9};
    for (const GroupCase& g : Groups) {
        SCOPED_TRACE(g.groupBox);
        QLineEdit* upper = p.EditNumber(g.upperEdit);
        QLineEdit* lower = p.EditNumber(g.lowerEdit);
        QPushButton* downButton = p.BitBtnNumber(g.downButton);
        QPushButton* upButton = p.BitBtnNumber(g.upButton);
        QWidget* box = upper->parentWidget();
        EXPECT_EQ(box, boxes[g.groupBox - 1]);
        EXPECT_EQ(static_cast<QGroupBox*>(box)->title(), g.caption);
        EXPECT_EQ(box->geometry(), QRect(g.position, QSize(161, 73)));
        EXPECT_EQ(upper->mapTo(&p, QPoint()), g.position + QPoint(40, 16));
        EXPECT_EQ(lower->mapTo(&p, QPoint()), g.position + QPoint(40, 40));
        EXPECT_EQ(downButton->mapTo(&p, QPoint()), g.position + QPoint(8, 16));
        EXPECT_EQ(upButton->mapTo(&p, QPoint()), g.position + QPoint(128, 16));
        EXPECT_EQ(downButton->size(), QSize(25, 45));
        EXPECT_EQ(downButton->icon().pixmap(21, 35).toImage().convertToFormat(down.format()), down);
        EXPECT_EQ(upButton->icon().pixmap(21, 35).toImage().convertToFormat(up.format()), up);
        ASSERT_NE(LabelAt(box, {104, 19}), nullptr);
        EXPECT_EQ(LabelAt(box, {104, 19})->text(), g.upperUnit);
        ASSERT_NE(LabelAt(box, {104, 43}), nullptr);
        EXPECT_EQ(LabelAt(box, {104, 43})->text(), g.lowerUnit);

        Type(upper, "1");
        Click(downButton);
        EXPECT_EQ(lower->text(), g.oneDown);
        Type(lower, "1");
        Click(upButton);
        EXPECT_EQ(upper->text(), g.oneUp);
        EXPECT_EQ(lower->text(), "1");
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ToolWindows, ConversionErrorsAreShownAndTheTargetKeepsItsText) {
    Tprevody& p = *windows.prevody;
    p.Edit6->setText("kept");
    Type(p.Edit5, "abc");
    Click(p.BitBtn5);
    p.Edit5->clear();
    Click(p.BitBtn5);
    Type(p.Edit15, "1e308");
    Click(p.BitBtn15);
    const std::vector<RecordedMessage> expected = {
        {true, "'abc' is not a valid floating point value."},
        {true, "'' is not a valid floating point value."},
        {true, "Floating point overflow."}};
    EXPECT_EQ(messages.messages, expected);
    EXPECT_EQ(p.Edit6->text(), "kept");
    EXPECT_EQ(p.Edit16->text(), "0");
    EXPECT_EQ(p.Edit15->text(), "1e308");
}

TEST_F(ToolWindowsWithComma, ConversionFollowsTheUsersSeparator) {
    Tprevody& p = *windows.prevody;
    Type(p.Edit2, "7,5");
    Click(p.BitBtn1);
    EXPECT_EQ(p.Edit1->text(), "0,486");
    Click(p.BitBtn2);
    EXPECT_EQ(p.Edit2->text(), "7,5001");
    Type(p.Edit2, "7.5");
    Click(p.BitBtn1);
    EXPECT_EQ(p.Edit1->text(), "0,486");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "'7.5' is not a valid floating point value.");
}

TEST_F(ToolWindows, TabPassesOverTheLowerMassFields) {
    Tprevody& p = *windows.prevody;
    const std::vector<QWidget*> expected = {
        p.Edit1,    p.BitBtn2,  p.BitBtn1,  p.Edit3,    p.Edit4,    p.BitBtn3,  p.BitBtn4,
        p.Edit5,    p.Edit6,    p.BitBtn5,  p.BitBtn6,  p.Edit7,    p.Edit8,    p.BitBtn7,
        p.BitBtn8,  p.BitBtn9,  p.BitBtn10, p.Edit9,    p.Edit10,   p.BitBtn11, p.BitBtn12,
        p.Edit11,   p.Edit12,   p.Edit13,   p.BitBtn14, p.BitBtn13, p.Edit15,   p.Edit16,
        p.BitBtn15, p.BitBtn16, p.Edit17,   p.Edit18,   p.BitBtn17, p.BitBtn18, p.Edit1};
    EXPECT_EQ(TabWalk(p.Edit1, expected.size()), expected);
    EXPECT_EQ(p.Edit2->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(p.Edit14->focusPolicy(), Qt::ClickFocus);
}

TEST_F(ToolWindows, SpringCalculatorIsLaidOutWithItsDefaultsAndComputes) {
    Tpruzina& s = *windows.pruzina;
    const QLineEdit* inputs[] = {s.Edit1, s.Edit2, s.Edit3, s.Edit4, s.Edit5, s.Edit6};
    // clang-format off
    const char* texts[] = {"2.9", "19", "33", "35", "81.5", "0"};
    const char* captions[] = {"Wire Thickness:", "Outer Spring Diameter:", "Number of Active Coil:",
                              "Spring Compression:", "Elasticity Modulus in Shear:"};
    const char* units[] = {"mm", "mm", "", "mm", "GPa"};
    // clang-format on
    for (int i = 0; i < 5; ++i) {
        const int y = 16 + 24 * i;
        EXPECT_EQ(inputs[i]->geometry(), QRect(144, y, 49, 21));
        QLabel* caption = LabelAt(s.GroupBox1, {138 - 1, y + 3}, Qt::AlignRight);
        EXPECT_EQ(caption ? caption->text() : QString(), captions[i]);
        QLabel* unit = LabelAt(s.GroupBox1, {197, y + 3});
        EXPECT_EQ(unit ? unit->text() : QString(), units[i]);
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(inputs[i]->text(), texts[i]);
    }
    EXPECT_EQ(s.GroupBox1->geometry(), QRect(8, 4, 233, 142));
    EXPECT_EQ(s.GroupBox2->geometry(), QRect(248, 4, 113, 142));
    EXPECT_EQ(s.Button1->geometry(), QRect(8, 16, 97, 49));
    EXPECT_EQ(s.Label10->pos(), QPoint(18, 83));
    EXPECT_EQ(s.Edit6->geometry(), QRect(8, 105, 97, 21));

    Click(s.Button1);
    EXPECT_EQ(s.Edit6->text(), "184");
    Type(s.Edit2, "2.9");
    Click(s.Button1);
    Type(s.Edit2, "19");
    Type(s.Edit3, "x");
    Click(s.Button1);
    const std::vector<RecordedMessage> expected = {
        {true, "Floating point division by zero."},
        {true, "'x' is not a valid floating point value."}};
    EXPECT_EQ(messages.messages, expected);
    EXPECT_EQ(s.Edit6->text(), "184");

    const std::vector<QWidget*> tabOrder = {s.Edit1, s.Edit2,   s.Edit3, s.Edit4,
                                            s.Edit5, s.Button1, s.Edit6, s.Edit1};
    EXPECT_EQ(TabWalk(s.Edit1, tabOrder.size()), tabOrder);
}

TEST_F(ToolWindowsWithComma, SpringDefaultsAreWrittenWithACommaAndCompute) {
    Tpruzina& s = *windows.pruzina;
    EXPECT_EQ(s.Edit1->text(), "2,9");
    EXPECT_EQ(s.Edit5->text(), "81,5");
    Click(s.Button1);
    EXPECT_EQ(s.Edit6->text(), "184");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ToolWindows, ToolsKeepTheirTextsWhenClosedAndShownAgain) {
    windows.vstup->show();
    windows.vstup->Npovda1Click();
    windows.vstup->Vpoetpruiny1Click();
    Type(windows.prevody->Edit9, "12");
    Click(windows.prevody->BitBtn9);
    Type(windows.pruzina->Edit4, "40");
    Click(windows.pruzina->Button1);
    windows.prevody->close();
    windows.pruzina->close();
    EXPECT_FALSE(windows.prevody->isVisible());
    windows.vstup->Npovda1Click();
    windows.vstup->Vpoetpruiny1Click();
    EXPECT_EQ(windows.prevody->Edit9->text(), "12");
    EXPECT_EQ(windows.prevody->Edit10->text(), "4.724");
    EXPECT_EQ(windows.pruzina->Edit4->text(), "40");
    EXPECT_EQ(windows.pruzina->Edit6->text(), "210");
}

}  // namespace
