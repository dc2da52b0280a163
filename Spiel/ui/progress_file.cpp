#include "progress_file.h"

#include <common/atomic_file.h>
#include <common/installation.h>
#include <leveldata/level_text.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace ferlan {

namespace {

// Only the first two characters carry the value.
constexpr qint64 kSignificantBytes = 2;

}  // namespace

ProgressFile::ProgressFile(QString programDir, QString userDataDir, FolderProbe canWrite)
    : programDir_(std::move(programDir)),
      userDataDir_(std::move(userDataDir)),
      canWrite_(std::move(canWrite)) {
    if (!canWrite_) {
        canWrite_ = [](const QString& folder) {
            const QFileInfo info(folder);
            return info.isDir() && info.isWritable();
        };
    }
}

ProgressFile ProgressFile::forThisProgram() {
    return forProgram(QCoreApplication::applicationDirPath(), installedDataDir(),
                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

ProgressFile ProgressFile::forProgram(const QString& programDir, const QString& installedDataDir,
                                      const QString& userDataDir) {
    if (!installedDataDir.isEmpty() &&
        QFileInfo(QDir(installedDataDir).filePath(QString::fromLatin1(kFileName))).isFile()) {
        return ProgressFile(installedDataDir, userDataDir, [](const QString&) { return false; });
    }
    return ProgressFile(programDir, userDataDir);
}

QString ProgressFile::missingMessage() {
    return QStringLiteral("Datei mit Spielstand nicht vorhanden oder fehlerhaft.");
}

bool ProgressFile::programDirWritable() const { return canWrite_(programDir_); }

QString ProgressFile::writePath(const char* fileName) const {
    if (programDirWritable() || userDataDir_.isEmpty()) {
        return QDir(programDir_).filePath(QString::fromLatin1(fileName));
    }
    return QDir(userDataDir_).filePath(QString::fromLatin1(fileName));
}

QString ProgressFile::readPath(const char* fileName) const {
    QString path = writePath(fileName);
    if (QFileInfo::exists(path)) return path;
    return QDir(programDir_).filePath(QString::fromLatin1(fileName));
}

std::optional<int> ProgressFile::read() const {
    const QString path = readPath();
    // A folder or a pipe of that name must neither be read nor block the game.
    if (!QFileInfo(path).isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray start = file.read(kSignificantBytes);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    const double value = roundHalfEven(readLenientNumber(
        std::string_view(start.constData(), static_cast<std::size_t>(start.size()))));
    if (value < 0 || value > 255) return std::nullopt;
    if (value > kHighestStoredProgress) return std::nullopt;
    return static_cast<int>(value);
}

ProgressFile::WriteResult ProgressFile::recordWin(int won, int highestShown, QString* error) const {
    if (won > kHighestStoredProgress || won <= highestShown) return WriteResult::NotNeeded;
    // The list may have been opened before another session got further.
    if (const std::optional<int> stored = read(); stored && *stored >= won) {
        return WriteResult::NotNeeded;
    }
    const QString path = writePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString why;
    if (writeFileAtomically(path, QByteArray::number(won) + "\r\n", &why))
        return WriteResult::Written;
    if (error) *error = path + QStringLiteral(": ") + why;
    return WriteResult::Failed;
}

}  // namespace ferlan
