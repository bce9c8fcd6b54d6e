#pragma once
// The result box: a memo whose lower-left corner lies under the "Clear" button. Its text ends
// above the button, so the newest line, scrolled into view, is never under it.

#include <QPlainTextEdit>

class ResultMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ResultMemo(QWidget* parent);

    // Ends the text area at y in the parent's coordinates; the strip below keeps the box's
    // ground and its scroll bar.
    void EndTextAbove(int y);
};
