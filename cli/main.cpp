// The command-line tool's entry.

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <QtGlobal>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/PictureDrawing.h"
#include "cli/RunCli.h"
#include "datafile/GunReportFile.h"
#include "model/ShotLanes.h"

namespace {

// Standard error carries the program's own messages only: Qt's notes (such as a missing
// runtime folder on the offscreen platform) are dropped, its critical errors kept.
void KeepQtCriticalMessagesOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << text.toStdString() << '\n';
    }
}

// A standard stream that was closed gets /dev/null, so that no file opened later takes its
// number and the stream's output with it. Standard output gets it for reading only: writing
// to it then fails, and the failure is reported.
void OpenClosedStandardStreams() {
    for (const auto& [descriptor, flags] : {std::pair{STDIN_FILENO, O_RDONLY},
                                            {STDOUT_FILENO, O_RDONLY},
                                            {STDERR_FILENO, O_WRONLY}}) {
        if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
            open("/dev/null", flags);  // the lowest free number: this one
        }
    }
}

// Writes out what the C library still holds for standard output and closes a copy of it, on
// which a network file system reports a write that failed late.
bool StandardOutputWritten() {
    if (std::fflush(stdout) != 0) {
        return false;
    }
    const int copy = dup(STDOUT_FILENO);
    return copy < 0 || close(copy) == 0;
}

// A sweep's threads allocate and free the same few hundred kilobytes for every block of points.
// By default the C library hands such memory back to the system as it is freed, and each new
// block then faults it in again, page by page: that took about a tenth of a sweep's time.
void KeepFreedMemoryForReuse() {
    constexpr int MiB = 1 << 20;
    mallopt(M_TRIM_THRESHOLD, 256 * MiB);
    mallopt(M_MMAP_THRESHOLD, 16 * MiB);
}

}  // namespace

int main(int argc, char* argv[]) {
    KeepFreedMemoryForReuse();
    OpenClosedStandardStreams();
    qInstallMessageHandler(KeepQtCriticalMessagesOnly);
    // The engine, the files and the CSV need no Qt application, whose start would only slow a
    // sweep down; the commands that draw start the GUI one (cli/PictureDrawing.h). The C
    // library follows the user's locale as under Qt (messages such as strerror's); the
    // tool's numbers never go through it.
    std::setlocale(LC_ALL, "");
    // A diagnostic that names lanes this processor lacks would measure something else.
    if (const std::string refusal = LaneChoiceRefusal(); !refusal.empty()) {
        std::cerr << "velloran-cli: " << refusal << '\n';
        return CliFailure;
    }
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = RunCli(arguments, std::cout, std::cerr);
    EndPictureDrawing();
    if (status == CliSuccess && !StandardOutputWritten()) {
        std::cerr << FileSavingErrorMessage << '\n';
        return CliFailure;
    }
    return status;
}
