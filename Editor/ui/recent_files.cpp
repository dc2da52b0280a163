#include "recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace ferlan::editor {
namespace {

const QString kKey = QStringLiteral("editor/recentFiles");

QStringList stored() { return QSettings().value(kKey).toStringList(); }

}  // namespace

QStringList RecentFiles::files() const {
    QStringList existing;
    for (const QString& path : stored()) {
        if (QFileInfo(path).isFile() && !existing.contains(path)) existing << path;
    }
    return existing.mid(0, kMaxFiles);
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = stored();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMaxFiles));
}

void RecentFiles::remove(const QString& path) {
    QStringList list = stored();
    list.removeAll(QFileInfo(path).absoluteFilePath());
    store(list);
}

void RecentFiles::clear() { store({}); }

void RecentFiles::store(const QStringList& files) {
    QSettings settings;
    if (files.isEmpty()) {
        settings.remove(kKey);
    } else {
        settings.setValue(kKey, files);
    }
}

}  // namespace ferlan::editor
