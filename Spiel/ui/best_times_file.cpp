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

bool BestTimesFile::store(const BestTimes& kept, QString* error) const {
    const QString path = writePath();
    const std::optional<BestTimes> stored = read();
    if (!stored) {
        if (error) *error = path + QStringLiteral(": nicht lesbar");
        return false;
    }
    BestTimes merged = *stored;
    merged.merge(kept);
    if (merged == *stored && QFileInfo::exists(path)) return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString why;
    if (writeFileAtomically(path, QByteArray::fromStdString(merged.text()), &why)) return true;
    if (error) *error = path + QStringLiteral(": ") + why;
    return false;
}

}  // namespace ferlan
