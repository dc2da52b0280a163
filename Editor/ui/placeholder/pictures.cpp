#include "pictures.h"

#include <QHash>
#include <QPainter>

namespace ferlan {
namespace {

QPixmap draw(const QString& name) {
    const bool pole = name.size() == 3 && (name[0] == 'g' || name[0] == 'k');
    const int size = pole ? (name[0] == 'g' ? 64 : 48) : name.size() == 1 ? 32 : 64;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (pole) {
        const int rod = name[0] == 'g' ? 19 : 11;
        p.fillRect(0, 0, size, rod, QColor(90, 90, 100));
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, rod), Qt::AlignCenter,
                   name[2] == 'p' ? "+" : name[2] == 'm' ? "-" : "");
    } else if (name.size() == 1) {
        p.setBrush(QColor(60, 60, 70));
        p.drawEllipse(1, 1, 30, 30);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter,
                   name == "p" ? "+" : name == "m" ? "-" : "");
    } else if (name.startsWith('a')) {
        p.fillRect(0, 0, 38, 64, QColor(150, 150, 60));
        p.drawText(QRect(0, 0, 38, 64), Qt::AlignCenter, name.mid(1));
    } else if (name.startsWith("Boden")) {
        const int n = name.mid(5).toInt();
        pixmap.fill(QColor::fromHsv(40 * n, 60, 200));
        p.setPen(QColor::fromHsv(40 * n, 90, 160));
        for (int i = 0; i < 64; i += 16) p.drawLine(0, i, 64, i);
    } else {
        p.fillRect(0, 16, 64, 32, QColor(120, 120, 130));
    }
    return pixmap;
}

}  // namespace

QPixmap picture(const QString& name) {
    static QHash<QString, QPixmap> cache;
    auto it = cache.find(name);
    if (it == cache.end()) it = cache.insert(name, draw(name));
    return *it;
}

}  // namespace ferlan
