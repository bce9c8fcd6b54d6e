#include "app/Vstup1.h"

#include <QFrame>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTextDocument>
#include <utility>

#include "app/KeyboardMenuBar.h"
#include "app/Oprogramu1.h"
#include "app/ResultMemo.h"
#include "app/ToolWindowPlacement.h"
#include "app/Zakladni1.h"
#include "common/CommandRunner.h"
#include "common/EtchedGroupBox.h"
#include "common/FieldNumber.h"
#include "common/ImageView.h"
#include "common/RadioGroup.h"
#include "common/WidgetPlacement.h"
#include "datafile/GunFileCommands.h"
#include "datafile/QtGunFileDialogs.h"
#include "graph/GraphDrawing.h"
#include "graph/GraphInteraction.h"
#include "graph/GraphStore.h"
#include "graph/PainterCanvas.h"
#include "graph/PlotQuantities.h"
#include "graph/RubberBandOverlay.h"
#include "graph/SeriesSelection.h"
#include "model/ComputeCommand.h"
#include "tools/Prevody1.h"
#include "tools/Pruzina1.h"

namespace {

constexpr int ClientWidth = 585;
constexpr int ClientHeight = 513;

template <class Items>
QStringList RadioLabelsOf(const Items& items) {
    QStringList labels;
    for (const auto& item : items) {
        labels << QString::fromLatin1(item.radioLabel);
    }
    return labels;
}

}  // namespace

Tvstup::Tvstup(ProgramContext& context, VelloranWindows& windows)
    : PlainDialog(windows.zakladni.get(),
                  Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                      Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      context_(context),
      windows_(windows),
      modelInputs_(std::make_unique<ModelInputs>()),
      result_(std::make_unique<SimulationResult>()),
      runningResult_(std::make_unique<SimulationResult>()),
      fileDialogs_(std::make_unique<QtGunFileDialogs>(this, context.executableFolder)),
      graph_(std::make_unique<GraphStore>()) {
    // Qt paints every window through an off-screen buffer already, so the graph and the
    // rubber band drawn over it never flicker.
    setWindowTitle(QStringLiteral("Velloran"));
    setFont(DefaultWindowFont());

    // Each item has a mnemonic, its first letter, underlined only while Alt is held.
    MainMenu1 = new KeyboardMenuBar(this);
    connect(MainMenu1->addAction(QStringLiteral("&Units Conversion")), &QAction::triggered, this,
            &Tvstup::Npovda1Click);
    connect(MainMenu1->addAction(QStringLiteral("&Spring Calculation")), &QAction::triggered, this,
            &Tvstup::Vpoetpruiny1Click);
    connect(MainMenu1->addAction(QStringLiteral("&About")), &QAction::triggered, this,
            &Tvstup::Oprogramu1Click);
    const int menuHeight = MainMenu1->sizeHint().height();
    MainMenu1->setGeometry(0, 0, ClientWidth, menuHeight);

    ClientArea = new QWidget(this);
    ClientArea->setGeometry(0, menuHeight, ClientWidth, ClientHeight);
    FixClientSizeAndCentre(this, ClientWidth, ClientHeight + menuHeight);

    Bevel1 = new QFrame(ClientArea);
    Bevel1->setGeometry(0, 0, 586, 1);
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);

    Edit33 = new QLineEdit(QStringLiteral(" Air Gun"), ClientArea);
    Edit33->setGeometry(8, 8, 377, 21);

    BuildParameterFields();
    BuildResultControls();

    setTabOrder(Edit33, Button1);
    setTabOrder(Button1, Button7);
    setTabOrder(Button7, Button3);
    setTabOrder(Button3, Edit17);
    setTabOrder(Edit17, Edit18);
    setTabOrder(Edit18, ParameterEdits.front());
    for (size_t i = 1; i < ParameterEdits.size(); ++i) {
        setTabOrder(ParameterEdits[i - 1], ParameterEdits[i]);
    }
    // A radio group takes no focus itself; Tab reaches it through its items. After Memo1 it
    // goes round to Edit33.
    QWidget* previous = ParameterEdits.back();
    for (const RadioGroup* group : {RadioGroup1, RadioGroup2}) {
        for (int i = 0; i < group->ItemCount(); ++i) {
            setTabOrder(previous, group->Item(i));
            previous = group->Item(i);
        }
    }
    setTabOrder(previous, Button2);
    setTabOrder(Button2, Memo1);

    rubberBand_ = new RubberBandOverlay(ClientArea);
    FormCreate();
    FormResize();
}

Tvstup::~Tvstup() = default;

void Tvstup::BuildParameterFields() {
    GroupBox2 = new EtchedGroupBox(QStringLiteral("Parametres"), ClientArea);
    GroupBox2->setGeometry(8, 30, 377, 211);
    // Two columns of eight: the caption ends 6 pixels before its field and stands 3 pixels
    // lower than the field's top; the unit follows the field ("ms" two pixels closer).
    constexpr std::array<int, FieldColumns> FieldX = {96, 288};
    constexpr std::array<int, FieldColumns> CaptionRight = {90, 282};
    constexpr std::array<int, FieldColumns> UnitX = {149, 341};
    constexpr int FirstRowY = 16;
    constexpr int RowPitch = 24;
    for (const GunParameterInfo& info : GunParameterTable) {
        const auto column = static_cast<size_t>(info.slot.column);
        const int y = FirstRowY + info.slot.row * RowPitch;
        const int number = Index(info.parameter) + 1;
        auto* edit = new QLineEdit(QStringLiteral("0"), GroupBox2);
        edit->setObjectName(QStringLiteral("Edit%1").arg(number));
        edit->setGeometry(FieldX[column], y, 49, 21);
        ParameterEdits[static_cast<size_t>(Index(info.parameter))] = edit;
        PlaceRightAlignedLabel(GroupBox2, QString::fromLatin1(info.caption), CaptionRight[column],
                               y + 3);
        const QString unit = QString::fromLatin1(info.unit);
        if (!unit.isEmpty()) {
            PlaceLabel(GroupBox2, unit,
                       unit == QLatin1String("ms") ? UnitX[column] - 2 : UnitX[column], y + 3);
        }
    }
}

void Tvstup::BuildResultControls() {
    auto* resultMemo = new ResultMemo(ClientArea);
    Memo1 = resultMemo;
    Memo1->setGeometry(392, 8, 185, 145);
    // Lines wider than the box wrap inside it at blanks, as in a classic memo, and no horizontal
    // scroll bar lies half under "Clear". The memo's narrow margin keeps every summary line whole
    // in the window's font (a "m/s" would break after its slash). The hyphen rule, a run without
    // a break, stays one line cut at the box's edge rather than leaving a stray stub. Tab moves
    // on to the next control instead of writing a tab.
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setWordWrapMode(QTextOption::WordWrap);
    Memo1->document()->setDocumentMargin(2);
    Memo1->setTabChangesFocus(true);
    Memo1->setPlainText(QStringLiteral("Computation Result:"));

    Button2 = new QPushButton(QStringLiteral("Clear"), ClientArea);
    Button2->setGeometry(398, 128, 41, 20);
    resultMemo->EndTextAbove(Button2->y());
    connect(Button2, &QPushButton::clicked, this, &Tvstup::Button2Click);

    GroupBox4 = new EtchedGroupBox(ClientArea);
    GroupBox4->setGeometry(392, 158, 185, 83);
    Button1 = new QPushButton(QStringLiteral("Load"), GroupBox4);
    Button1->setGeometry(8, 12, 81, 30);
    Button1->setCursor(Qt::PointingHandCursor);
    connect(Button1, &QPushButton::clicked, this, &Tvstup::Button1Click);
    Button7 = new QPushButton(QStringLiteral("Save"), GroupBox4);
    Button7->setGeometry(96, 12, 81, 30);
    Button7->setEnabled(false);
    connect(Button7, &QPushButton::clicked, this, &Tvstup::Button7Click);
    Button3 = new QPushButton(QStringLiteral("Compute"), GroupBox4);
    Button3->setGeometry(8, 46, 169, 30);
    Button3->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    Button3->setCursor(Qt::PointingHandCursor);
    connect(Button3, &QPushButton::clicked, this, &Tvstup::Button3Click);

    Graf0 = new ImageView(ClientArea);
    Graf0->setGeometry(8, 247, 426, 258);
    connect(Graf0, &ImageView::MouseDown, this, &Tvstup::Graf0MouseDown);
    connect(Graf0, &ImageView::MouseMove, this, &Tvstup::Graf0MouseMove);
    connect(Graf0, &ImageView::MouseUp, this, &Tvstup::Graf0MouseUp);
    connect(Graf0, &ImageView::DoubleClick, this, &Tvstup::Graf0DblClick);

    GroupBox10 = new EtchedGroupBox(QStringLiteral("X, Y Position"), ClientArea);
    GroupBox10->setGeometry(440, 243, 137, 46);
    Edit17 = new QLineEdit(QStringLiteral("0"), GroupBox10);
    Edit17->setGeometry(8, 16, 57, 21);
    Edit18 = new QLineEdit(QStringLiteral("0"), GroupBox10);
    Edit18->setGeometry(72, 16, 57, 21);

    RadioGroup1 =
        new RadioGroup(QStringLiteral("Axis Y"), RadioLabelsOf(PlotQuantities), ClientArea);
    RadioGroup1->setGeometry(440, 292, 137, 144);
    RadioGroup1->SetItemIndex(0);
    connect(RadioGroup1, &RadioGroup::Clicked, this, &Tvstup::RadioGroup1Click);
    RadioGroup2 = new RadioGroup(QStringLiteral("Axis X"), RadioLabelsOf(PlotAxes), ClientArea);
    RadioGroup2->setGeometry(440, 440, 137, 65);
    RadioGroup2->SetItemIndex(0);
    connect(RadioGroup2, &RadioGroup::Clicked, this, &Tvstup::RadioGroup2Click);
}

GunParameterTexts Tvstup::ParameterTexts() const {
    GunParameterTexts texts;
    for (size_t i = 0; i < ParameterEdits.size(); ++i) {
        texts[i] = ParameterEdits[i]->text().toStdString();
    }
    return texts;
}

void Tvstup::ShowToolWindow(QWidget* window) {
    if (!window) {
        return;
    }
    if (!window->isVisible() && !placedToolWindows_.contains(window)) {
        PlaceBesideThisWindow(window);
        placedToolWindows_ << window;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void Tvstup::PlaceBesideThisWindow(QWidget* tool) {
    // The tool's frame is not known before it is first shown; the window manager gives it
    // the same decoration as this window's.
    const QSize decoration = frameGeometry().size() - geometry().size();
    QList<QRect> taken;
    for (const QWidget* other : {static_cast<QWidget*>(windows_.prevody.get()),
                                 static_cast<QWidget*>(windows_.pruzina.get())}) {
        if (other && other != tool && other->isVisible()) {
            taken << other->frameGeometry();
        }
    }
    tool->move(ToolWindowPosition(screen()->availableGeometry(), frameGeometry(), taken,
                                  tool->size() + decoration));
}

void Tvstup::Npovda1Click() {
    ShowToolWindow(windows_.prevody.get());
}

void Tvstup::Vpoetpruiny1Click() {
    ShowToolWindow(windows_.pruzina.get());
}

void Tvstup::Oprogramu1Click() {
    if (windows_.oprogramu) {
        windows_.oprogramu->exec();
    }
}

void Tvstup::Button2Click() {
    Memo1->clear();
}

void Tvstup::SetFileDialogs(std::unique_ptr<GunFileDialogs> dialogs) {
    fileDialogs_ = std::move(dialogs);
}

void Tvstup::Button7Click() {
    RunCommand(context_.messages, [this] {
        GunParameterTexts texts = ParameterTexts();
        for (size_t i = 0; i < loadedOptional_.size(); ++i) {
            texts[GunParameterCount + i] =
                NumberToField(loadedOptional_[i], context_.decimalSeparator);
        }
        SaveGunCommand(*fileDialogs_, Edit33->text().toStdString(), texts,
                       context_.decimalSeparator, ReportSummaryOf(*result_, *modelInputs_));
    });
}

void Tvstup::Button1Click() {
    RunCommand(context_.messages, [this] {
        const std::optional<GunParameters> gun = LoadGunCommand(*fileDialogs_);
        if (!gun) {
            return;
        }
        Edit33->setText(QString::fromStdString(gun->name));
        for (size_t i = 0; i < ParameterEdits.size(); ++i) {
            ParameterEdits[i]->setText(
                QString::fromStdString(NumberToField(gun->values[i], context_.decimalSeparator)));
        }
        loadedOptional_ = gun->optional;
    });
}

template <class Drawing>
void Tvstup::DrawOnGraph(const Drawing& drawing) {
    {
        PainterCanvas canvas(Graf0->Bitmap());
        drawing(GraphDrawing{canvas, result_->LastIndex, context_.decimalSeparator});
    }
    Graf0->update();
}

void Tvstup::FormCreate() {
    // The dialogs of Load and Save start in the executable's folder: QtGunFileDialogs.
    RunCommand(context_.messages, [this] {
        DrawOnGraph([this](const GraphDrawing& d) { InitGraph(*graph_, Graf0Slot, d); });
    });
}

void Tvstup::FormResize() {
    RunCommand(context_.messages, [this] {
        DrawOnGraph([this](const GraphDrawing& d) {
            FitGraphToImage(
                *graph_, Graf0Slot, Graf0->width(), Graf0->height(),
                [this](int width, int height) { Graf0->SetBitmapSize(width, height); }, d);
        });
    });
}

void Tvstup::resizeEvent(QResizeEvent* event) {
    PlainDialog::resizeEvent(event);
    FormResize();
}

void Tvstup::LoadChosenCurve() {
    DrawOnGraph([this](const GraphDrawing& d) {
        LoadSelectedSeries(*result_, RadioGroup1->ItemIndex(), RadioGroup2->ItemIndex(), *graph_,
                           d.canvas, d.decimalSeparator);
    });
}

void Tvstup::RadioGroup1Click() {
    RunCommand(context_.messages, [this] { LoadChosenCurve(); });
}

void Tvstup::RadioGroup2Click() {
    RadioGroup1Click();
}

void Tvstup::Button3Click() {
    RunCommand(context_.messages, [this] {
        // The shot runs into a result of its own and replaces the shown one only when it
        // reaches the muzzle: a run abandoned at the step limit or by a fault leaves the last
        // completed result to the graph and to Save.
        SimulateShotFromFields(ParameterTexts(), context_.decimalSeparator, *modelInputs_,
                               *runningResult_);
        std::swap(result_, runningResult_);
        LoadChosenCurve();
        SummarizeShot(*modelInputs_, *result_);
        for (const std::string& line : SummaryLines(*result_)) {
            Memo1->appendPlainText(QString::fromStdString(line));
        }
        Button7->setEnabled(true);
    });
}

void Tvstup::Graf0MouseDown(QPoint position) {
    RunCommand(context_.messages, [&] {
        const GraphReadout readout = ::Graf0MouseDown(*graph_, Graf0Slot, position.x(),
                                                      position.y(), context_.decimalSeparator);
        Edit17->setText(QString::fromStdString(readout.x));
        Edit18->setText(QString::fromStdString(readout.y));
    });
}

void Tvstup::Graf0MouseMove(QPoint position) {
    RunCommand(context_.messages, [&] {
        const std::optional<RubberBand> band =
            DrawRubberBand(*graph_, Graf0Slot, position.x(), position.y());
        if (band || rubberBand_->Band()) {
            rubberBand_->Show(band, Graf0->pos());
        }
    });
}

void Tvstup::Graf0MouseUp(QPoint position) {
    RunCommand(context_.messages, [&] {
        DrawOnGraph([&](const GraphDrawing& d) {
            ZoomToRubberBand(*graph_, Graf0Slot, position.x(), position.y(), d);
        });
    });
    rubberBand_->Show(std::nullopt, Graf0->pos());
}

void Tvstup::Graf0DblClick() {
    RunCommand(context_.messages, [this] {
        DrawOnGraph([this](const GraphDrawing& d) { ::Graf0DblClick(*graph_, Graf0Slot, d); });
    });
}
