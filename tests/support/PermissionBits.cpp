#include "tests/support/PermissionBits.h"

#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>

namespace {

bool Opens(const QByteArray& path, int flags) {
    const int descriptor = open(path.constData(), flags | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    close(descriptor);
    return true;
}

}  // namespace

std::optional<std::string> WhyPermissionBitsDoNotBind() {
    const QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("locked")));
    const int descriptor = open(path.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0);
    if (descriptor < 0) {
        return "no file can be created in the temporary folder to try the permission bits on";
    }
    close(descriptor);
    if (Opens(path, O_RDONLY) || Opens(path, O_WRONLY)) {
        return "permission bits do not stop this process (the superuser, or CAP_DAC_OVERRIDE); "
               "the velloran_tests_unprivileged test runs this case in a user namespace where "
               "they do";
    }
    return std::nullopt;
}
