#include "app/KeyboardMenuBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

class MenuBarStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        // Styles such as Fusion highlight a menu bar item only while its menu is open, and
        // these items have none: the item under the pointer or chosen with the keys is drawn
        // as a pressed one.
        if (element == CE_MenuBarItem && (option->state & State_Selected)) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem pressed = *item;
                pressed.state |= State_Sunken;
                QProxyStyle::drawControl(element, &pressed, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_UnderlineShortcut) {
            if (const auto* bar = qobject_cast<const KeyboardMenuBar*>(widget)) {
                return bar->ShowsMnemonics() ? 1 : 0;
            }
        }
        if (hint == SH_MenuBar_AltKeyNavigation) {
            return 1;  // Alt alone reaches the bar whatever the desktop's style
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Alt goes to whichever widget has the focus: the application's events tell the bar.
class AltKeyWatcher : public QObject {
public:
    explicit AltKeyWatcher(KeyboardMenuBar* bar) : QObject(bar), bar_(bar) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            if (key->key() == Qt::Key_Alt) {
                bar_->SetAltHeld(type == QEvent::KeyPress &&
                                 QApplication::activeWindow() == bar_->window());
            }
        } else if (type == QEvent::ApplicationDeactivate) {
            bar_->SetAltHeld(false);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    KeyboardMenuBar* bar_;
};

}  // namespace

KeyboardMenuBar::KeyboardMenuBar(QWidget* parent) : QMenuBar(parent) {
    // A widget must not outlive its style: the style belongs to the bar's window, which
    // destroys it after the bar, created before it.
    auto* style = new MenuBarStyle;
    style->setParent(parent);
    setStyle(style);
    qApp->installEventFilter(new AltKeyWatcher(this));
}

void KeyboardMenuBar::SetAltHeld(bool held) {
    if (altHeld_ != held) {
        altHeld_ = held;
        update();
    }
}
