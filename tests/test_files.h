// Whole files written and read back by the tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

namespace ferlan {

// False when the file cannot be written whole.
[[nodiscard]] inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// "<missing>" when the file cannot be read, so that a comparison fails and
// says why.
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace ferlan
