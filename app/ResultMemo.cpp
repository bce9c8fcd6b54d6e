#include "app/ResultMemo.h"

#include <algorithm>

ResultMemo::ResultMemo(QWidget* parent) : QPlainTextEdit(parent) {
    // The strip below the text area is the box's own, drawn in the text's ground colour.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ResultMemo::EndTextAbove(int y) {
    const int covered = geometry().bottom() + 1 - y - frameWidth();
    setViewportMargins(0, 0, 0, std::max(0, covered));
}
