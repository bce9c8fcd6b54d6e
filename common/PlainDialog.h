#pragma once
// A window built on QDialog for its modal showing and its hiding on close, without the keys
// that Qt adds to a dialog: Enter in a field presses no button (on a button it presses that
// one), Esc does not close the window, and no push button becomes, or is drawn as, the default
// one. It closes from its title bar.

#include <QDialog>

class QKeyEvent;

// A tool window is an ordinary top-level window with a dialog's border (no minimise, no
// maximise). Not a dialog: the window system keeps a dialog above the other windows of its
// program, where it would bury the main window.
inline constexpr Qt::WindowFlags ToolWindowFlags =
    Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Enter or Return on an enabled push button that has the focus presses it, as the space bar
// does; true when it did.
bool PressFocusedButtonOnEnter(const QWidget& window, const QKeyEvent& event);

class PlainDialog : public QDialog {
    Q_OBJECT
public:
    PlainDialog(QWidget* parent, Qt::WindowFlags flags);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
