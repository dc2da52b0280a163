// Application icons for the game and the editor, and the icon of a level
// file in a file manager, drawn as vectors at every size so the small ones
// stay crisp instead of being scaled down.

#include "pictures_drawn.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace ferlan::art {
namespace {

constexpr int kSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Everything is laid out on a 64-unit square and scaled to the icon size.
void drawTile(QPainter& painter) {
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0.0, QColor(70, 110, 168));
    tile.setColorAt(1.0, QColor(28, 50, 92));
    painter.setPen(QPen(QColor(16, 26, 50), 1.5));
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 11, 11);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(4, 4, 56, 56), 9, 9);
}

void drawRod(QPainter& painter, const QRectF& rod, bool capLeft, Mark mark) {
    painter.save();
    painter.setPen(QPen(palette::kOutline, 1.2));
    painter.setBrush(cylinderAcross(rod, palette::kSteelMid, false));
    painter.drawRect(rod);
    const qreal cap = rod.height() * 0.7;
    const QRectF capRect = capLeft ? QRectF(rod.left(), rod.top(), cap, rod.height())
                                   : QRectF(rod.right() - cap, rod.top(), cap, rod.height());
    painter.setBrush(cylinderAcross(rod, QColor(78, 96, 128), false));
    painter.drawRect(capRect);
    const qreal sleeveWidth = rod.height() * 1.2;
    const qreal sleeveLeft = capLeft ? capRect.right() + 2 : capRect.left() - 2 - sleeveWidth;
    const QRectF sleeve(sleeveLeft, rod.top(), sleeveWidth, rod.height());
    painter.setBrush(cylinderAcross(rod, markColour(mark), false));
    painter.drawRect(sleeve);
    drawMark(painter, sleeve.center(), rod.height() * 0.62, mark, Qt::white, 0.3);
    painter.restore();
}

void drawPencil(QPainter& painter) {
    painter.save();
    painter.translate(40, 44);
    painter.rotate(-45);
    painter.setPen(QPen(QColor(30, 24, 10), 1.2));
    QLinearGradient wood(0, -5, 0, 5);
    wood.setColorAt(0.0, QColor(255, 220, 90));
    wood.setColorAt(1.0, QColor(210, 150, 20));
    painter.setBrush(wood);
    painter.drawRect(QRectF(-14, -5, 28, 10));
    painter.setBrush(QColor(240, 150, 160));
    painter.drawRect(QRectF(14, -5, 6, 10));
    QPainterPath tip;
    tip.moveTo(-14, -5);
    tip.lineTo(-24, 0);
    tip.lineTo(-14, 5);
    tip.closeSubpath();
    painter.setBrush(QColor(240, 214, 170));
    painter.drawPath(tip);
    QPainterPath lead;
    lead.moveTo(-20.5, -1.75);
    lead.lineTo(-24, 0);
    lead.lineTo(-20.5, 1.75);
    lead.closeSubpath();
    painter.setBrush(QColor(40, 40, 48));
    painter.drawPath(lead);
    painter.restore();
}

QImage drawIcon(int size, bool editor) {
    QImage image = blankImage(size, size);
    QPainter painter(&image);
    prepare(painter);
    painter.scale(size / 64.0, size / 64.0);
    drawTile(painter);
    painter.save();
    painter.setClipRect(QRectF(3, 3, 58, 58));
    drawRod(painter, QRectF(-2, 11, 40, 11), false, Mark::Plus);
    drawRod(painter, QRectF(36, 45, 30, 9), true, Mark::Minus);
    painter.restore();
    if (editor) {
        drawPolishedIron(painter, QRectF(9, 29, 23, 23));
        drawPencil(painter);
    } else {
        drawPolishedIron(painter, QRectF(15, 25, 27, 27));
    }
    return image;
}

// A sheet with a folded corner that holds a small level: a pole block
// reaching in from the side and the iron ball below it.
QImage drawLevelFileIcon(int size) {
    QImage image = blankImage(size, size);
    QPainter painter(&image);
    prepare(painter);
    painter.scale(size / 64.0, size / 64.0);
    QPainterPath sheet;
    sheet.moveTo(10, 3);
    sheet.lineTo(42, 3);
    sheet.lineTo(55, 16);
    sheet.lineTo(55, 61);
    sheet.lineTo(10, 61);
    sheet.closeSubpath();
    QLinearGradient paper(0, 3, 0, 61);
    paper.setColorAt(0.0, QColor(252, 252, 248));
    paper.setColorAt(1.0, QColor(222, 226, 232));
    painter.setPen(QPen(QColor(90, 98, 112), 1.5));
    painter.setBrush(paper);
    painter.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(42, 3);
    fold.lineTo(42, 16);
    fold.lineTo(55, 16);
    fold.closeSubpath();
    painter.setBrush(QColor(196, 202, 212));
    painter.drawPath(fold);
    painter.save();
    painter.setClipPath(sheet);
    drawRod(painter, QRectF(6, 22, 34, 10), false, Mark::Plus);
    painter.restore();
    drawPolishedIron(painter, QRectF(24, 37, 20, 20));
    return image;
}

}  // namespace

std::vector<Picture> drawIconPictures() {
    std::vector<Picture> pictures;
    for (bool editor : {false, true}) {
        const QString program = editor ? QStringLiteral("editor") : QStringLiteral("ferlan");
        for (int size : kSizes) {
            const QString name = QStringLiteral("icon_%1_%2").arg(program).arg(size);
            pictures.push_back({name, name + QStringLiteral(".png"), drawIcon(size, editor)});
        }
    }
    for (int size : kSizes) {
        const QString name = QStringLiteral("icon_level_%1").arg(size);
        pictures.push_back({name, name + QStringLiteral(".png"), drawLevelFileIcon(size)});
    }
    return pictures;
}

}  // namespace ferlan::art
