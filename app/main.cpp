// Start-up: the application, the five windows in their order, the message loop.

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QMessageBox>
#include <exception>

#include "app/VelloranWindows.h"
#include "app/Zakladni1.h"
#include "common/ApplicationTitle.h"
#include "common/MessageBoxSink.h"
#include "common/ProgramContext.h"
#include "common/Version.h"

namespace {

void RunProgram(QApplication& application, MessageSink& messages) {
    ProgramContext context{messages, SystemDecimalSeparator(),
                           QFileInfo(QApplication::applicationFilePath()).absolutePath() + '/'};
    VelloranWindows windows(context);
    QObject::connect(windows.zakladni.get(), &Tzakladni::Closed, &application, &QApplication::quit);
    windows.zakladni->show();
    application.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    application.setWindowIcon(QIcon(QStringLiteral(":/velloran.png")));
    // The desktop entry's name: a taskbar finds the launcher, its icon and its windows by it.
    QGuiApplication::setDesktopFileName(QLatin1String(VelloranAppId));
    MessageBoxSink messages(QString::fromStdString(
        ApplicationTitle(QApplication::applicationFilePath().toStdString())));
    try {
        RunProgram(application, messages);
    } catch (const std::exception& error) {
        messages.ShowErrorMessage(WithClosingFullStop(error.what()));
    } catch (...) {
        messages.ShowErrorMessage("");
    }
    return 0;
}
