#include "tools/Prevody1.h"

#include "common/WidgetPlacement.h"

Tprevody::Tprevody(ProgramContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      context_(context) {
    setWindowTitle(QStringLiteral("Unit Conversion"));
    setFont(DefaultWindowFont());
    FixClientSizeAndCentre(this, 512, 236);
}
