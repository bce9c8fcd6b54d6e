#pragma once
// The main working window: the gun's name and sixteen parameters, the result box, Load, Save
// and Compute, the result graph with its axis choices, and the menu of the other windows.

#include <QList>
#include <array>
#include <memory>

#include "app/VelloranWindows.h"
#include "common/PlainDialog.h"
#include "common/ProgramContext.h"
#include "model/GunParameters.h"
#include "model/ModelInputs.h"
#include "model/SimulationResult.h"

class GunFileDialogs;
class RubberBandOverlay;
struct GraphStore;
class QFrame;
class QGroupBox;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class ImageView;
class RadioGroup;

class Tvstup : public PlainDialog {
    Q_OBJECT
public:
    Tvstup(ProgramContext& context, VelloranWindows& windows);
    ~Tvstup() override;

    // The area below the menu bar, in which every control stands at its pixel position.
    QWidget* ClientArea;
    QMenuBar* MainMenu1;
    QFrame* Bevel1;
    QLineEdit* Edit33;  // the gun's name
    QGroupBox* GroupBox2;
    std::array<QLineEdit*, GunParameterCount> ParameterEdits;  // Edit1 … Edit16
    QPlainTextEdit* Memo1;
    QPushButton* Button2;  // "Clear"
    QGroupBox* GroupBox4;
    QPushButton* Button1;  // "Load"
    QPushButton* Button7;  // "Save"
    QPushButton* Button3;  // "Compute"
    ImageView* Graf0;
    QGroupBox* GroupBox10;
    QLineEdit* Edit17;        // x readout
    QLineEdit* Edit18;        // y readout
    RadioGroup* RadioGroup1;  // "Axis Y"
    RadioGroup* RadioGroup2;  // "Axis X"

    QLineEdit* ParameterEdit(GunParameter parameter) const {
        return ParameterEdits[static_cast<size_t>(Index(parameter))];
    }
    // The texts of the sixteen fields; the optional five stay empty, so Compute runs the basic
    // model.
    GunParameterTexts ParameterTexts() const;

    // The graph: the axis choices and the mouse on Graf0.
    void RadioGroup1Click();
    void RadioGroup2Click();
    void Graf0MouseDown(QPoint position);
    void Graf0MouseMove(QPoint position);
    void Graf0MouseUp(QPoint position);
    void Graf0DblClick();
    void FormCreate();
    void FormResize();

    // Menu commands.
    void Npovda1Click();       // "Units Conversion"
    void Vpoetpruiny1Click();  // "Spring Calculation"
    void Oprogramu1Click();    // "About"

    void Button3Click();  // "Compute": simulate the shot, plot it, append the summary
    void Button1Click();  // "Load": the name and the sixteen parameters from a report
    void Button2Click();  // "Clear": empties the result box and nothing else
    void Button7Click();  // "Save": the gun and the last computation's summary as a report

    // The dialogs of Load and Save; tests put in dialogs that answer without asking.
    void SetFileDialogs(std::unique_ptr<GunFileDialogs> dialogs);

    const ModelInputs& Inputs() const { return *modelInputs_; }
    const SimulationResult& Result() const { return *result_; }
    const GraphStore& Graph() const { return *graph_; }
    const RubberBandOverlay& RubberBandLayer() const { return *rubberBand_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildParameterFields();
    // Shows a tool window, the first time beside this window, and brings it to the front.
    void ShowToolWindow(QWidget* window);
    void PlaceBesideThisWindow(QWidget* tool);
    void BuildResultControls();
    // Loads the pair of series chosen in the two radio groups into the graph and redraws it;
    // a failure ends the command that called it.
    void LoadChosenCurve();
    // Runs a drawing of the graph on its bitmap and shows the result.
    template <class Drawing>
    void DrawOnGraph(const Drawing& drawing);

    ProgramContext& context_;
    VelloranWindows& windows_;
    // Created with the window, overwritten in place by every command that writes them.
    std::unique_ptr<ModelInputs> modelInputs_;
    std::unique_ptr<SimulationResult> result_;         // the last completed shot
    std::unique_ptr<SimulationResult> runningResult_;  // the shot being computed
    std::unique_ptr<GunFileDialogs> fileDialogs_;
    // The optional parameters of the report loaded last: the window has no fields for them and
    // computes without them, but Save writes them back so that nothing of the file is lost.
    OptionalParameterValues loadedOptional_ = NeutralOptionalValues();
    std::unique_ptr<GraphStore> graph_;  // about 16 MB, allocated once
    RubberBandOverlay* rubberBand_;
    // Tool windows already placed: later showings leave them where the user put them.
    QList<const QWidget*> placedToolWindows_;
};
