#include "common/ProgramContext.h"

#include <QLocale>

char SystemDecimalSeparator() {
    const QString separator = QLocale::system().decimalPoint();
    if (separator.size() == 1 && separator[0].unicode() > ' ' && separator[0].unicode() < 0x7f) {
        return static_cast<char>(separator[0].unicode());
    }
    return '.';
}
