#pragma once
// A window built on QDialog for its modal showing and its hiding on close, without the keys
// that Qt adds to a dialog: Enter in a field presses no button (on a button it presses that
// one), Esc does not close the window, and no push button becomes, or is drawn as, the default
// one. It closes from its title bar.

#include <QDialog>

class PlainDialog : public QDialog {
    Q_OBJECT
public:
    PlainDialog(QWidget* parent, Qt::WindowFlags flags);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
