#pragma once
// The start window: title, version, the picture of an air pistol, "Start" and "Close".
// It is the program's main window: closing it ends the program.

#include <QWidget>

#include "app/VelloranWindows.h"

class QLabel;
class QPushButton;
class BevelPanel;

class Tzakladni : public QWidget {
    Q_OBJECT
public:
    explicit Tzakladni(VelloranWindows& windows);

    BevelPanel* Panel1;
    BevelPanel* Panel2;
    QLabel* Label1;
    QLabel* Label3;
    QLabel* Image1;
    QPushButton* Button1;  // "Start"
    QPushButton* Button2;  // "Close"

    void Button1Click();
    void Button2Click();

signals:
    // The start window is the main window: its closing ends the program, whatever is open.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    VelloranWindows& windows_;
};
