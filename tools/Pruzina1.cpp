#include "tools/Pruzina1.h"

#include "common/WidgetPlacement.h"

Tpruzina::Tpruzina(ProgramContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      context_(context) {
    setWindowTitle(QStringLiteral("Spring Calculation"));
    setFont(DefaultWindowFont());
    FixClientSizeAndCentre(this, 369, 153);
}
