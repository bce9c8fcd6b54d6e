#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "app/Oprogramu1.h"
#include "app/VelloranWindows.h"
#include "app/Vstup1.h"
#include "app/Zakladni1.h"
#include "common/ImageView.h"
#include "common/RadioGroup.h"
#include "tests/app/WindowsFixture.h"
#include "tools/Prevody1.h"
#include "tools/Pruzina1.h"

namespace {

QLabel* LabelWithText(QWidget* parent, const QString& text) {
    for (QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->text() == text) {
            return label;
        }
    }
    return nullptr;
}

// The next widget that the Tab key reaches.
QWidget* NextTabStop(QWidget* widget) {
    QWidget* next = widget->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus)) {
        next = next->nextInFocusChain();
    }
    return next;
}

// A click that goes through the window system, where modal windows block it.
void ClickAsTheUserWould(QWidget* widget) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(window, widget->rect().center()));
    QApplication::processEvents();
}

using Windows = WindowsFixture;

TEST_F(Windows, StartWindowShowsTitleVersionPictureAndTwoButtons) {
    Tzakladni& z = *windows.zakladni;
    EXPECT_EQ(z.windowTitle(), "Velloran");
    EXPECT_EQ(z.size(), QSize(297, 201));
    EXPECT_EQ(z.Label1->text(), "Velloran");
    EXPECT_EQ(z.Label1->font().pixelSize(), 19);
    EXPECT_TRUE(z.Label1->font().bold());
    EXPECT_EQ(z.Label3->text(), "Version 1.0 Eng.");
    EXPECT_EQ(z.Label3->pos(), QPoint(83, 40));
    EXPECT_EQ(z.Button1->text(), "Start");
    EXPECT_EQ(z.Button1->geometry(), QRect(8, 8, 113, 33));
    EXPECT_EQ(z.Button2->text(), "Close");
    EXPECT_EQ(z.Button2->geometry(), QRect(8, 48, 113, 33));
    EXPECT_EQ(z.Image1->geometry(), QRect(8, 107, 145, 81));
    EXPECT_EQ(z.Image1->pixmap().size(), QSize(144, 81));
}

TEST_F(Windows, MainWindowHasTheParameterFieldsAtTheirPlaces) {
    Tvstup& v = *windows.vstup;
    EXPECT_EQ(v.windowTitle(), "Velloran");
    EXPECT_EQ(v.ClientArea->size(), QSize(585, 513));
    EXPECT_EQ(v.Edit33->text(), " Air Gun");
    EXPECT_EQ(v.GroupBox2->title(), "Parametres");
    EXPECT_EQ(v.GroupBox2->geometry(), QRect(8, 30, 377, 211));
    for (int i = 0; i < GunParameterCount; ++i) {
        QLineEdit* edit = v.ParameterEdits[static_cast<size_t>(i)];
        EXPECT_EQ(edit->objectName(), QStringLiteral("Edit%1").arg(i + 1));
        EXPECT_EQ(edit->text(), "0");
        EXPECT_EQ(edit->geometry(), QRect(i < 8 ? 96 : 288, 16 + (i % 8) * 24, 49, 21));
        const GunParameterInfo& info = GunParameterTable[static_cast<size_t>(i)];
        QLabel* caption = LabelWithText(v.GroupBox2, QString::fromLatin1(info.caption));
        ASSERT_NE(caption, nullptr) << info.caption;
        EXPECT_EQ(caption->geometry().right() + 1, i < 8 ? 90 : 282) << info.caption;
        EXPECT_EQ(caption->y(), edit->y() + 3);
    }
    QLabel* ms = LabelWithText(v.GroupBox2, "ms");
    ASSERT_NE(ms, nullptr);
    EXPECT_EQ(ms->pos(), QPoint(339, 187));
}

TEST_F(Windows, MainWindowStartsWithSaveDisabledAndTheResultBoxTitled) {
    Tvstup& v = *windows.vstup;
    EXPECT_FALSE(v.Button7->isEnabled());
    EXPECT_EQ(v.Button7->text(), "Save");
    EXPECT_EQ(v.Button1->text(), "Load");
    EXPECT_EQ(v.Button3->text(), "Compute");
    EXPECT_EQ(v.Button3->geometry(), QRect(8, 46, 169, 30));
    EXPECT_EQ(v.Memo1->toPlainText(), "Computation Result:");
    EXPECT_EQ(v.Memo1->geometry(), QRect(392, 8, 185, 145));
    EXPECT_EQ(v.Graf0->geometry(), QRect(8, 247, 426, 258));
    EXPECT_EQ(v.Edit17->text(), "0");
    EXPECT_EQ(v.Edit18->text(), "0");
    EXPECT_EQ(v.GroupBox10->title(), "X, Y Position");
}

TEST_F(Windows, RadioGroupsKeepTheInnerSpacesOfTheirItems) {
    Tvstup& v = *windows.vstup;
    EXPECT_EQ(v.RadioGroup1->title(), "Axis Y");
    ASSERT_EQ(v.RadioGroup1->ItemCount(), 6);
    EXPECT_EQ(v.RadioGroup1->Item(0)->text(), "Bullet Velocity     [m/s]");
    EXPECT_EQ(v.RadioGroup1->Item(4)->text(), "Piston Pressure  [MPa]");
    EXPECT_EQ(v.RadioGroup1->Item(5)->text(), "Piston Temperature [K]");
    EXPECT_EQ(v.RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(v.RadioGroup2->title(), "Axis X");
    ASSERT_EQ(v.RadioGroup2->ItemCount(), 2);
    EXPECT_EQ(v.RadioGroup2->Item(0)->text(), "Time                [ms]");
    EXPECT_EQ(v.RadioGroup2->Item(1)->text(), "Bullet Travel    [mm]");
    EXPECT_EQ(v.RadioGroup2->ItemIndex(), 0);
}

TEST_F(Windows, RadioItemsEndClearOfTheirGroupsFrame) {
    // The frame's inner (dark) line is the group's second pixel column from the right; the
    // text ends two pixels before it. The widest item ("[MPa]") once touched it.
    for (const RadioGroup* group : {windows.vstup->RadioGroup1, windows.vstup->RadioGroup2}) {
        for (int i = 0; i < group->ItemCount(); ++i) {
            const QRadioButton* item = group->Item(i);
            QStyleOptionButton option;
            option.initFrom(item);
            const QRect contents =
                item->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, item);
            const int textEnd =
                item->x() + contents.left() + item->fontMetrics().horizontalAdvance(item->text());
            EXPECT_LT(textEnd, group->width() - 3) << item->text().toStdString();
        }
    }
}

TEST_F(Windows, MenuHasThreeTopLevelEntriesInOrder) {
    const QList<QAction*> actions = windows.vstup->MainMenu1->actions();
    ASSERT_EQ(actions.size(), 3);
    // The designed texts, each with its own mnemonic letter.
    EXPECT_EQ(actions[0]->text(), "&Units Conversion");
    EXPECT_EQ(actions[1]->text(), "&Spring Calculation");
    EXPECT_EQ(actions[2]->text(), "&About");
    for (QAction* action : actions) {
        EXPECT_EQ(action->menu(), nullptr);
    }
}

TEST_F(Windows, TabRunsThroughTheMainWindowInItsOrder) {
    Tvstup& v = *windows.vstup;
    std::vector<QWidget*> expected = {v.Edit33,  v.Button1, v.Button7,
                                      v.Button3, v.Edit17,  v.Edit18};
    expected.insert(expected.end(), v.ParameterEdits.begin(), v.ParameterEdits.end());
    for (const RadioGroup* group : {v.RadioGroup1, v.RadioGroup2}) {
        for (int i = 0; i < group->ItemCount(); ++i) {
            expected.push_back(group->Item(i));
        }
    }
    expected.insert(expected.end(), {v.Button2, v.Memo1, v.Edit33});
    for (size_t i = 0; i + 1 < expected.size(); ++i) {
        EXPECT_EQ(NextTabStop(expected[i]), expected[i + 1]) << i;
    }
}

TEST_F(Windows, StartShowsTheMainWindowModallyAndItKeepsItsFieldsWhenShownAgain) {
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == windows.vstup.get();
        windows.vstup->ParameterEdits[0]->setText("4.5");
        windows.vstup->close();
    });
    windows.zakladni->Button1->click();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(windows.vstup->isVisible());

    QString textWhenShownAgain;
    QTimer::singleShot(0, [&] {
        textWhenShownAgain = windows.vstup->ParameterEdits[0]->text();
        windows.vstup->close();
    });
    windows.zakladni->Button1->click();
    EXPECT_EQ(textWhenShownAgain, "4.5");
}

TEST_F(Windows, CloseEndsTheProgram) {
    windows.zakladni->show();
    QSignalSpy closed(windows.zakladni.get(), &Tzakladni::Closed);
    windows.zakladni->Button2->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(windows.zakladni->isVisible());
}

TEST_F(Windows, ToolWindowsOpenOnceNonModallyAndStayWhenTheMainWindowCloses) {
    Tvstup& v = *windows.vstup;
    v.show();
    v.Npovda1Click();
    v.Npovda1Click();
    v.Vpoetpruiny1Click();
    EXPECT_TRUE(windows.prevody->isVisible());
    EXPECT_TRUE(windows.pruzina->isVisible());
    EXPECT_EQ(windows.prevody->windowTitle(), "Unit Conversion");
    EXPECT_EQ(windows.prevody->size(), QSize(512, 236));
    EXPECT_EQ(windows.pruzina->windowTitle(), "Spring Calculation");
    EXPECT_EQ(windows.pruzina->size(), QSize(369, 153));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    v.close();
    EXPECT_TRUE(windows.prevody->isVisible());
    windows.prevody->close();
    EXPECT_FALSE(windows.prevody->isVisible());
}

TEST_F(Windows, AboutIsModalAndShowsItsTexts) {
    Toprogramu& about = *windows.oprogramu;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.size(), QSize(319, 376));
    EXPECT_EQ(about.Label3->text(), "Velloran");
    EXPECT_EQ(about.Label8->text(), "Version: 1.0");
    EXPECT_TRUE(about.Label7->text().startsWith("Author:"));
    EXPECT_EQ(about.Label1->text(), QString::fromUtf8("Date: červen 2009"));
    EXPECT_TRUE(about.Label2->text().startsWith("Contact:"));
    EXPECT_TRUE(about.Label2->text().endsWith("@example.org"));
    EXPECT_EQ(about.Label4->text(), "Literature:");
    EXPECT_FALSE(about.Memo1->isEnabled());
    const QStringList notice = about.Memo1->toPlainText().split('\n');
    ASSERT_EQ(notice.size(), 8);
    EXPECT_TRUE(notice[6].isEmpty());
    EXPECT_TRUE(notice[7].contains("C++") && notice[7].contains("Qt 6"));

    Tvstup& v = *windows.vstup;
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
    v.Memo1->setPlainText("kept");
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = QApplication::activeModalWidget() == &about;
        ClickAsTheUserWould(v.Button2);  // blocked: the result box stays
        about.close();
    });
    v.Oprogramu1Click();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(v.Memo1->toPlainText(), "kept");
    ClickAsTheUserWould(v.Button2);  // and reacts again afterwards
    EXPECT_EQ(v.Memo1->toPlainText(), "");
}

TEST_F(Windows, GroupBoxFramesRunAboveTheControlsTheyHold) {
    for (QWidget* window : std::initializer_list<QWidget*>{
             windows.vstup.get(), windows.prevody.get(), windows.pruzina.get()}) {
        for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
            SCOPED_TRACE(box->title().toStdString());
            // Down the frame's right side, clear of the caption: the first pixel that is not the
            // ground belongs to the frame's top line.
            const QImage image = box->grab().toImage();
            const int x = image.width() - 3;
            int frameTop = 0;
            while (frameTop < image.height() && image.pixel(x, frameTop) == image.pixel(x, 0)) {
                ++frameTop;
            }
            int topControl = box->height();
            for (QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                topControl = std::min(topControl, control->y());
            }
            EXPECT_LT(frameTop, topControl);
        }
    }
}

// Relative luminance of an sRGB colour, as contrast ratios are reckoned.
double Luminance(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

TEST_F(Windows, AboutNoticeIsGreyedYetReadable) {
    QPlainTextEdit& notice = *windows.oprogramu->Memo1;
    ASSERT_FALSE(notice.isEnabled());
    // The darkest pixel of the text against the box's ground, both as drawn: readable,
    const QImage image = notice.viewport()->grab().toImage();
    const QRgb ground = image.pixel(image.width() - 2, image.height() - 2);
    double darkest = Luminance(ground);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            darkest = std::min(darkest, Luminance(image.pixel(x, y)));
        }
    }
    EXPECT_GE((Luminance(ground) + 0.05) / (darkest + 0.05), 4.5);
    // and still greyed: lighter than the text of a box that is enabled
    EXPECT_GT(darkest, Luminance(notice.palette().color(QPalette::Active, QPalette::Text).rgb()));
}

TEST_F(Windows, ClearEmptiesTheResultBoxAndNothingElse) {
    Tvstup& v = *windows.vstup;
    v.Memo1->appendPlainText("a line");
    v.Button2->click();
    EXPECT_EQ(v.Memo1->toPlainText(), "");
    EXPECT_FALSE(v.Button7->isEnabled());
}

}  // namespace
