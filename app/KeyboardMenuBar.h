#pragma once
// A menu bar of items that open windows rather than menus, usable from the keyboard: the item
// under the pointer or chosen with the keys is drawn highlighted, and the mnemonics are
// underlined only while Alt is held or the bar has the keyboard.

#include <QMenuBar>

class KeyboardMenuBar : public QMenuBar {
    Q_OBJECT
public:
    // parent: the window that holds the bar; it owns the bar's style.
    explicit KeyboardMenuBar(QWidget* parent);

    // Whether the items' mnemonic letters are underlined now.
    bool ShowsMnemonics() const { return altHeld_ || hasFocus(); }
    void SetAltHeld(bool held);

private:
    bool altHeld_ = false;
};
