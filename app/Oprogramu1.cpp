#include "app/Oprogramu1.h"

#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>

#include "common/BevelPanel.h"
#include "common/Version.h"
#include "common/WidgetPlacement.h"

namespace {

// Greyed as a disabled box is, yet readable: the toolkit's greyed text is nearly the colour of
// the ground. A third of the way from the text's colour to the ground's keeps a contrast of
// more than 4.5 : 1 on a light ground and on a dark one.
QColor ReadableGreyedText(const QPalette& palette) {
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor ground = palette.color(QPalette::Disabled, QPalette::Base);
    const auto third = [](int from, int to) { return from + (to - from) / 3; };
    return QColor(third(text.red(), ground.red()), third(text.green(), ground.green()),
                  third(text.blue(), ground.blue()));
}

}  // namespace

Toprogramu::Toprogramu(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(QIcon(QStringLiteral(":/about-icon.png")));
    setFont(DefaultWindowFont());
    FixClientSizeAndCentre(this, 319, 376);

    Panel1 = new BevelPanel(this, 8, 8, 303, 49);
    Label3 = new QLabel(Panel1);
    Label3->setFont(PixelFont(QStringLiteral("Arial"), 19, true));
    Label3->setText(QStringLiteral("Velloran"));
    Label3->adjustSize();
    Label3->move(22, 14);

    Panel2 = new BevelPanel(this, 8, 63, 303, 146);
    Label8 =
        PlaceLabel(Panel2, QStringLiteral("Version: ") + QLatin1String(VelloranVersion), 12, 8);
    Label7 = PlaceLabel(Panel2, QStringLiteral("Author: Oskeno"), 12, 27);
    Label1 = PlaceLabel(Panel2, QStringLiteral("Date: červen 2009"), 12, 46);
    Label2 = PlaceLabel(Panel2, QStringLiteral("Contact: oskeno@example.org"), 12, 65);
    Label4 = PlaceLabel(Panel2, QStringLiteral("Literature:"), 12, 84);
    Label5 = PlaceLabel(Panel2, QStringLiteral("Oskeno: Vnitřní balistika pružinových"), 12, 103);
    Label6 = PlaceLabel(Panel2, QStringLiteral("vzduchovek. Disertační práce."), 84, 122);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(8, 215, 303, 152);
    Memo1->setPlainText(
        QStringLiteral("This program is free of charge for private use.\n"
                       "For commercial use please contact the author.\n"
                       "The program must not be modified.\n"
                       "All computations are made without any\n"
                       "guarantee; check every result before you\n"
                       "rely on it.\n"
                       "\n"
                       "Developed in C++ with Qt 6."));
    Memo1->setEnabled(false);
    QPalette greyed = Memo1->palette();
    greyed.setColor(QPalette::Disabled, QPalette::Text, ReadableGreyedText(greyed));
    Memo1->setPalette(greyed);
}
