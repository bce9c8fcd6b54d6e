#include "app/Zakladni1.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "app/JpegDecoder.h"
#include "app/Vstup1.h"
#include "common/BevelPanel.h"
#include "common/PlainDialog.h"
#include "common/Version.h"
#include "common/WidgetPlacement.h"

namespace {

QPixmap PistolPicture() {
    QFile file(QStringLiteral(":/pistol.jpg"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QPixmap::fromImage(DecodeJpeg(file.readAll()));
}

}  // namespace

Tzakladni::Tzakladni(VelloranWindows& windows)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      windows_(windows) {
    setWindowTitle(QStringLiteral("Velloran"));
    setFont(DefaultWindowFont());
    FixClientSizeAndCentre(this, 297, 201);

    Panel2 = new BevelPanel(this, 8, 8, 281, 89);
    Label1 = PlaceLabel(Panel2, {}, 8, 8);
    Label1->setFont(PixelFont(QStringLiteral("Arial"), 19, true));
    Label1->setText(QStringLiteral("Velloran"));
    Label1->adjustSize();
    Label3 = PlaceLabel(Panel2, {}, 83, 40);
    Label3->setFont(PixelFont(QStringLiteral("Arial"), 16));
    Label3->setText(QStringLiteral("Version ") + QLatin1String(VelloranVersion) +
                    QStringLiteral(" Eng."));
    Label3->adjustSize();

    Image1 = new QLabel(this);
    Image1->setGeometry(8, 107, 145, 81);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(PistolPicture());

    Panel1 = new BevelPanel(this, 160, 104, 129, 89);
    const QFont buttonFont = PixelFont(QStringLiteral("Arial"), 16, true);
    Button1 = new QPushButton(QStringLiteral("Start"), Panel1);
    Button1->setGeometry(8, 8, 113, 33);
    Button1->setFont(buttonFont);
    Button2 = new QPushButton(QStringLiteral("Close"), Panel1);
    Button2->setGeometry(8, 48, 113, 33);
    Button2->setFont(buttonFont);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, &Tzakladni::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tzakladni::Button2Click);
}

void Tzakladni::Button1Click() {
    if (!windows_.vstup) {
        return;
    }
    // Modal to the start window alone (its parent), so the tool windows stay usable beside
    // it. The dialog forgets the kind of modality when it closes.
    windows_.vstup->setWindowModality(Qt::WindowModal);
    windows_.vstup->exec();
    // Back to the start window, in front of any tool window that was opened over it, so that
    // "Start" and "Close" are there to click.
    raise();
    activateWindow();
}

void Tzakladni::Button2Click() {
    close();
}

void Tzakladni::keyPressEvent(QKeyEvent* event) {
    // Outside a dialog a push button takes only the space bar; Return presses it as it does in
    // every other window of the program.
    if (!PressFocusedButtonOnEnter(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void Tzakladni::closeEvent(QCloseEvent* event) {
    event->accept();
    emit Closed();
}
