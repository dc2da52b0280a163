#include "level_file.h"

#include <leveldata/level_text.h>

#include <QFile>
#include <QFileInfo>

namespace ferlan {

std::optional<std::string> readLevelFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() ||
        static_cast<std::uintmax_t>(info.size()) > kMaxLevelFileBytes) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // One byte more than allowed tells a file that grew since the check.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxLevelFileBytes) + 1);
    if (file.error() != QFileDevice::NoError ||
        static_cast<std::uintmax_t>(bytes.size()) > kMaxLevelFileBytes) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

}  // namespace ferlan
