#include "best_times_file.h"

#include <common/atomic_file.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ferlan {

namespace {

// Thirty lines of two numbers; anything beyond this is not a times file.
constexpr qint64 kLongestFile = qint64{64} * 1024;

}  // namespace

std::optional<BestTimes> BestTimesFile::read() const {
    const QString path = folders_.readPath(kFileName);
    const QFileInfo info(path);
    if (!info.exists()) return BestTimes{};
    // A folder or a pipe of that name must neither be read nor block the game.
    if (!info.isFile()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.read(kLongestFile);
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    return BestTimes::parse(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

BestTimesFile::Recorded BestTimesFile::record(int levelNumber, std::int64_t ticks, BestTimes& kept,
                                              QString* error) const {
    const std::optional<BestTimes> stored = read();
    if (stored) kept.merge(*stored);
    if (!kept.offer(levelNumber, ticks)) return Recorded::NotBetter;
    const QString path = writePath();
    QString why = QStringLiteral("nicht lesbar");
    if (stored) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (writeFileAtomically(path, QByteArray::fromStdString(kept.text()), &why))
            return Recorded::NewBest;
    }
    if (error) *error = path + QStringLiteral(": ") + why;
    return Recorded::NotStored;
}

}  // namespace ferlan
