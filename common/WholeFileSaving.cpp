#include "common/WholeFileSaving.h"

#include <QSaveFile>

bool SaveFileWhole(const QString& path, const std::function<bool(QIODevice&)>& write) {
    // QSaveFile removes its temporary file unless commit() renames it over the target. Its
    // commit() overlooks a write that fails only when the buffer is flushed (a full disk) and
    // would rename the short file over the old one, so the flush is checked first.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && write(file) && file.flush() && file.commit();
}

bool SaveFileWhole(const QString& path, std::string_view content) {
    return SaveFileWhole(path, [content](QIODevice& file) {
        const auto size = static_cast<qint64>(content.size());
        return file.write(content.data(), size) == size;
    });
}
