#include "common/PlainDialog.h"

#include <QKeyEvent>
#include <QPushButton>

bool PressFocusedButtonOnEnter(const QWidget& window, const QKeyEvent& event) {
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    auto* focusedButton = qobject_cast<QPushButton*>(window.focusWidget());
    if (enter && focusedButton && focusedButton->isEnabled()) {
        focusedButton->click();
        return true;
    }
    return false;
}

PlainDialog::PlainDialog(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

void PlainDialog::keyPressEvent(QKeyEvent* event) {
    // QDialog would close on Esc and press its default button on Enter in any field. Here Esc
    // closes nothing, and Enter presses only a button that has the focus.
    if (!PressFocusedButtonOnEnter(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void PlainDialog::showEvent(QShowEvent* event) {
    // A push button of a dialog is auto-default unless told otherwise: the first one becomes
    // the default when the dialog is shown, and any one when it takes the focus; Enter in a
    // field then presses it. Buttons here react to a click and the space bar only.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
    }
    QDialog::showEvent(event);
}
