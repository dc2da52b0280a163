// A drawing made once and kept while what it shows stays the same, so a frame
// copies it instead of drawing it again.
#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QIODevice>
#include <QPixmap>

namespace ferlan {

class CachedDrawing {
public:
    // `draw` runs only when `key` differs from the last one.
    template <typename Draw>
    const QPixmap& get(const QByteArray& key, Draw draw) {
        if (key != key_ || pixmap_.isNull()) {
            key_ = key;
            pixmap_ = draw();
        }
        return pixmap_;
    }

    // Everything that decides a drawing, streamed into one key.
    template <typename... Parts>
    static QByteArray keyOf(const Parts&... parts) {
        QByteArray key;
        QDataStream stream(&key, QIODevice::WriteOnly);
        (stream << ... << parts);
        return key;
    }

private:
    QByteArray key_;
    QPixmap pixmap_;
};

}  // namespace ferlan
