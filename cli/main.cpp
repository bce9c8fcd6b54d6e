// The command-line tool's entry.

#include <QGuiApplication>
#include <QtGlobal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/RunCli.h"

namespace {

// Standard error carries the program's own messages only: Qt's notes (such as a missing
// runtime folder on the offscreen platform) are dropped, its critical errors kept.
void KeepQtCriticalMessagesOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << text.toStdString() << '\n';
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(KeepQtCriticalMessagesOnly);
    // The plot command draws text: that needs a GUI application, which needs no display on the
    // offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The tool's arguments are its own: Qt sees none of them.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    int qtArgumentCount = 1;
    QGuiApplication application(qtArgumentCount, argv);
    return RunCli(arguments, std::cout, std::cerr);
}
