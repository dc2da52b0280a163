#include "pictures.h"

#include "asset_paths.h"

#include <QHash>
#include <QtDebug>

namespace ferlan {
namespace {

// Keyed by resource path, so both spellings of a name share one entry.
QHash<QString, QImage>& imageCache()
{
    static QHash<QString, QImage> cache;
    return cache;
}

QHash<QString, QPixmap>& pixmapCache()
{
    static QHash<QString, QPixmap> cache;
    return cache;
}

const QImage& cachedImage(const QString& path)
{
    QHash<QString, QImage>& cache = imageCache();
    auto found = cache.find(path);
    if (found == cache.end()) {
        QImage image(path);
        if (image.isNull()) {
            qWarning("ferlan: no picture %s", qPrintable(path));
        }
        found = cache.insert(path, image);
    }
    return found.value();
}

}  // namespace

const QPixmap& picture(const QString& name)
{
    const QString path = assetPath(name);
    QHash<QString, QPixmap>& cache = pixmapCache();
    auto found = cache.find(path);
    if (found == cache.end()) {
        found = cache.insert(path, QPixmap::fromImage(cachedImage(path)));
    }
    return found.value();
}

QImage pictureImage(const QString& name)
{
    return cachedImage(assetPath(name));
}

}  // namespace ferlan
