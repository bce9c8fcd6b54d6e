// velloran-cli's picture module: the drawing onto PNG, SVG and PDF files, with the QtGui,
// QtSvg and font libraries it needs, loaded only by the commands that draw.

#include <QGuiApplication>
#include <memory>

#include "cli/PictureModuleEntry.h"
#include "common/Version.h"
#include "graph/PictureFile.h"

namespace {

// Qt keeps argc by reference and argv for the application's life.
int applicationArgumentCount = 1;
char applicationName[] = "velloran-cli";
char* applicationArguments[] = {applicationName, nullptr};
std::unique_ptr<QGuiApplication> application;

void StartApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    // Text drawn into pictures needs a GUI application, which needs no display on the
    // offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    application = std::make_unique<QGuiApplication>(applicationArgumentCount, applicationArguments);
}

void EndApplication() {
    application.reset();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const PictureModuleEntry VelloranPictureModule = {
    VelloranVersion,
    StartApplication,
    EndApplication,
    WritePicture,
};
