// The Compute command and the graph, driven through the real main window as a user would:
// typing into the fields, clicking, dragging on the graph.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTimer>

#include "app/Vstup1.h"
#include "app/Zakladni1.h"
#include "common/ImageView.h"
#include "common/RadioGroup.h"
#include "graph/GraphMapping.h"
#include "graph/GraphStore.h"
#include "graph/RubberBandOverlay.h"
#include "tests/app/WindowsFixture.h"
#include "tests/support/ExampleGun.h"

namespace {

class ComputeAndGraph : public WindowsFixture {
protected:
    ComputeAndGraph() : v(*windows.vstup) {}

    void TypeGun(const GunParameterTexts& texts) {
        for (size_t i = 0; i < v.ParameterEdits.size(); ++i) {
            QLineEdit* edit = v.ParameterEdits[i];
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Delete);
            QTest::keyClicks(edit, QString::fromStdString(texts[i]));
        }
    }

    void Compute() { QTest::mouseClick(v.Button3, Qt::LeftButton); }

    QStringList MemoLines() const { return v.Memo1->toPlainText().split('\n'); }

    const GraphSlot& View() const { return v.Graph().Slots[Graf0Slot]; }

    // The pixel of Graf0 that shows the data point (x, y) in the current view.
    QPoint PixelOf(double x, double y) const {
        return QPoint(static_cast<int>(ValueToPixelX(x, View())),
                      static_cast<int>(ValueToPixelY(y, View())));
    }

    Tvstup& v;
};

TEST_F(ComputeAndGraph, ComputePlotsTheVelocityAndAppendsSevenLines) {
    TypeGun(ExampleGunTexts());
    Compute();
    EXPECT_TRUE(messages.messages.empty());
    const QStringList lines = MemoLines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], "Computation Result:");
    EXPECT_EQ(lines[1], QString(53, '-'));
    EXPECT_EQ(lines[2], " Computation Steps:     1170 ");
    EXPECT_TRUE(lines[6].startsWith(" Bullet Velocity:            205.")) << lines[6].toStdString();
    EXPECT_TRUE(v.Button7->isEnabled());

    // The time axis runs from the first step's time; the velocity axis from 0, 5 % beyond.
    const SimulationResult& result = v.Result();
    const auto last = static_cast<size_t>(result.LastIndex);
    EXPECT_DOUBLE_EQ(View().XMin, 0.01);
    EXPECT_DOUBLE_EQ(View().XMax, result.Time[last] * 1.05);
    EXPECT_EQ(View().YMin, 0);
    EXPECT_DOUBLE_EQ(View().YMax, result.BulletVelocity[last] * 1.05);
    EXPECT_EQ(View().Curves[0].Active, 1);
    // The red curve is on the shown bitmap, running along the bottom while the bullet rests.
    const QImage& bitmap = v.Graf0->Bitmap();
    int redPixels = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            redPixels += bitmap.pixelColor(x, y) == QColor(255, 0, 0);
        }
    }
    EXPECT_GT(redPixels, 2 * 371);
    EXPECT_EQ(bitmap.pixelColor(PixelOf(4, 0)), QColor(255, 0, 0));
}

TEST_F(ComputeAndGraph, EachComputationAddsABlockAndClearStartsAfresh) {
    TypeGun(ExampleGunTexts());
    v.show();
    Compute();
    Compute();
    EXPECT_EQ(MemoLines().size(), 15);
    EXPECT_EQ(MemoLines()[8], QString(53, '-'));
    // The wrapped rule stays one line, and the newest line shows above "Clear", not under it.
    EXPECT_EQ(v.Memo1->document()->findBlockByNumber(8).layout()->lineCount(), 1);
    QTextCursor last(v.Memo1->document()->lastBlock());
    const QRect lastLine = v.Memo1->cursorRect(last);
    EXPECT_GE(lastLine.top(), 0);
    EXPECT_LE(v.Memo1->viewport()->mapTo(v.ClientArea, lastLine.bottomLeft()).y(), v.Button2->y());
    QTest::mouseClick(v.Button2, Qt::LeftButton);
    Compute();
    EXPECT_EQ(MemoLines().size(), 7);
    EXPECT_EQ(MemoLines()[0], QString(53, '-'));
}

TEST_F(ComputeAndGraph, AFailedComputationLeavesSummaryGraphAndSaveAsTheyWere) {
    Compute();  // every field 0
    EXPECT_EQ(messages.messages,
              (std::vector<RecordedMessage>{{false, "One or more Parameters out of range."}}));
    EXPECT_FALSE(v.Button7->isEnabled());
    EXPECT_EQ(v.Memo1->toPlainText(), "Computation Result:");

    TypeGun(ExampleGunTexts());
    Compute();
    const QString summary = v.Memo1->toPlainText();
    const GraphSlot view = View();
    messages.messages.clear();

    v.ParameterEdit(GunParameter::ComputationStep)->setText("0.001");
    Compute();
    v.ParameterEdit(GunParameter::BulletWeight)->setText("half");
    Compute();
    EXPECT_EQ(messages.messages, (std::vector<RecordedMessage>{
                                     {false, "Maximum Number of Steps was reached. Increase Step."},
                                     {true, "'half' is not a valid floating point value."}}));
    EXPECT_EQ(v.Memo1->toPlainText(), summary);
    EXPECT_TRUE(v.Button7->isEnabled());
    // Choosing a curve again draws the last completed shot, not the abandoned one's raw series.
    QTest::mouseClick(v.RadioGroup1->Item(4), Qt::LeftButton);
    QTest::mouseClick(v.RadioGroup1->Item(0), Qt::LeftButton);
    EXPECT_EQ(View().XMax, view.XMax);
    EXPECT_EQ(View().YMax, view.YMax);
}

TEST_F(ComputeAndGraph, TheAxisGroupsChooseTheCurveOrLeaveTheGraphAlone) {
    TypeGun(ExampleGunTexts());
    Compute();
    const SimulationResult& result = v.Result();
    QTest::mouseClick(v.RadioGroup1->Item(4), Qt::LeftButton);  // pressure over time
    EXPECT_DOUBLE_EQ(
        View().YMax,
        *std::max_element(result.Pressure.begin(), result.Pressure.begin() + result.LastIndex + 1) *
            1.05);
    QTest::mouseClick(v.RadioGroup2->Item(1), Qt::LeftButton);  // pressure over bullet travel
    EXPECT_EQ(View().XMin, 0);
    const GraphSlot pressureOverTravel = View();
    QTest::mouseClick(v.RadioGroup1->Item(2), Qt::LeftButton);  // piston velocity: not plotted
    EXPECT_EQ(View().XMax, pressureOverTravel.XMax);
    EXPECT_EQ(View().YMax, pressureOverTravel.YMax);
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ComputeAndGraph, APressShowsTheDataUnderThePointerAndADragZooms) {
    TypeGun(ExampleGunTexts());
    Compute();
    const QPoint from = PixelOf(8, 40);
    const QPoint to = PixelOf(10, 180);
    QTest::mousePress(v.Graf0, Qt::LeftButton, {}, from);
    // The readout has two decimals more than the labels (0 for both spans above 10).
    EXPECT_TRUE(v.Edit17->text().startsWith("8") || v.Edit17->text().startsWith("7.9"));
    EXPECT_EQ(v.Edit17->text().section('.', 1).size(), 2);
    QTest::mouseMove(v.Graf0, to);
    ASSERT_TRUE(v.RubberBandLayer().Band().has_value());
    EXPECT_FALSE(v.RubberBandLayer().Band()->red);
    QTest::mouseRelease(v.Graf0, Qt::LeftButton, {}, to);
    EXPECT_FALSE(v.RubberBandLayer().Band().has_value());
    EXPECT_NEAR(View().XMin, 8, 0.05);
    EXPECT_NEAR(View().XMax, 10, 0.05);
    EXPECT_NEAR(View().YMin, 40, 1);
    EXPECT_NEAR(View().YMax, 180, 1);
    EXPECT_EQ(View().DecimalsX, 1);  // a span of 2

    // A small drag draws its band red and zooms nothing.
    const GraphSlot zoomed = View();
    QTest::mousePress(v.Graf0, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(v.Graf0, QPoint(105, 103));
    ASSERT_TRUE(v.RubberBandLayer().Band().has_value());
    EXPECT_TRUE(v.RubberBandLayer().Band()->red);
    QTest::mouseRelease(v.Graf0, Qt::LeftButton, {}, QPoint(105, 103));
    EXPECT_EQ(View().XMin, zoomed.XMin);

    // A double-click shows the whole curve again.
    QTest::mouseDClick(v.Graf0, Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_DOUBLE_EQ(View().XMin, 0.01);
    EXPECT_EQ(View().YMin, 0);
}

TEST_F(ComputeAndGraph, TheMainWindowKeepsItsGraphWhenClosedAndShownAgain) {
    TypeGun(ExampleGunTexts());
    Compute();
    QTest::mousePress(v.Graf0, Qt::LeftButton, {}, PixelOf(8, 40));
    QTest::mouseMove(v.Graf0, PixelOf(10, 180));
    QTest::mouseRelease(v.Graf0, Qt::LeftButton, {}, PixelOf(10, 180));
    const GraphSlot zoomed = View();
    const QImage shown = v.Graf0->Bitmap().copy();
    QImage shownAgain;
    QTimer::singleShot(0, [&] {
        shownAgain = v.Graf0->Bitmap().copy();
        v.close();
    });
    windows.zakladni->Button1->click();
    EXPECT_EQ(View().XMin, zoomed.XMin);
    EXPECT_EQ(View().YMax, zoomed.YMax);
    EXPECT_EQ(shownAgain, shown);
    EXPECT_EQ(v.RadioGroup1->ItemIndex(), 0);
}

}  // namespace
