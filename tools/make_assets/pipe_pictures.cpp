// The entry pipe, the exit pipe and the straight piece. All three share one
// cross-section (centred on row 32, 40 pixels thick), shaded identically at
// the tile edges, so the pieces join without a visible seam.

#include "pictures_drawn.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace ferlan::art {
namespace {

constexpr int kTile = 64;
constexpr qreal kCentre = 32.0;
constexpr qreal kRadius = 20.0;  // half the pipe's thickness
constexpr qreal kBend = 32.0;    // radius of an elbow's centre line
const QColor kPipeColour(118, 138, 160);

// Colour across the pipe, s = 0 on its upper (or left) side, 1 on the other.
void setAcrossStops(QGradient& gradient, qreal from, qreal to) {
    const QColor base = kPipeColour;
    const struct {
        qreal s;
        QColor colour;
    } stops[] = {
        {0.00, base.darker(190)},  {0.08, base.darker(115)}, {0.26, mix(base, Qt::white, 0.8)},
        {0.40, base.lighter(118)}, {0.70, base.darker(125)}, {0.90, base.darker(190)},
        {1.00, base.darker(260)},
    };
    for (const auto& stop : stops) {
        gradient.setColorAt(from + (to - from) * stop.s, stop.colour);
    }
}

QBrush straightBrush() {
    QLinearGradient gradient(0, kCentre - kRadius, 0, kCentre + kRadius);
    setAcrossStops(gradient, 0.0, 1.0);
    return gradient;
}

// An elbow is a quarter ring around one corner of the tile; `outerFirst`
// says whether the pipe's upper side is the ring's outer edge.
QBrush elbowBrush(const QPointF& corner, bool outerFirst) {
    const qreal inner = kBend - kRadius;
    const qreal outer = kBend + kRadius;
    QRadialGradient gradient(corner, outer);
    gradient.setColorAt(0.0, Qt::transparent);
    if (outerFirst) {
        setAcrossStops(gradient, 1.0, inner / outer);
    } else {
        setAcrossStops(gradient, inner / outer, 1.0);
    }
    return gradient;
}

QPainterPath quarterRing(const QPointF& corner, int startAngle) {
    const qreal inner = kBend - kRadius;
    const qreal outer = kBend + kRadius;
    QPainterPath ring;
    ring.setFillRule(Qt::OddEvenFill);
    QPainterPath outerPie;
    outerPie.moveTo(corner);
    outerPie.arcTo(QRectF(corner.x() - outer, corner.y() - outer, 2 * outer, 2 * outer), startAngle,
                   90);
    outerPie.closeSubpath();
    QPainterPath innerDisc;
    innerDisc.addEllipse(corner, inner, inner);
    return outerPie.subtracted(innerDisc);
}

void drawShadow(QPainter& painter, const QPainterPath& shape) {
    // A soft shadow on the floor, down and to the right, built from a few
    // widening copies; the shapes reach past the tile so the edges match.
    painter.save();
    painter.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        painter.setBrush(QColor(0, 0, 0, 26));
        painter.drawPath(shape.translated(1.0 + i * 0.9, 1.5 + i * 1.0));
    }
    painter.restore();
}

// A ring clamped round the pipe: slightly thicker than the pipe, with bolts.
void drawCollar(QPainter& painter, const QRectF& band, bool vertical) {
    painter.save();
    QLinearGradient shade = vertical ? QLinearGradient(band.left(), 0, band.right(), 0)
                                     : QLinearGradient(0, band.top(), 0, band.bottom());
    setAcrossStops(shade, 0.0, 1.0);
    painter.setPen(QPen(palette::kOutline, 1.0));
    painter.setBrush(shade);
    painter.drawRoundedRect(band, 1.5, 1.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    const QRectF groove = vertical ? QRectF(band.left(), band.center().y() - 0.5, band.width(), 1)
                                   : QRectF(band.center().x() - 0.5, band.top(), 1, band.height());
    painter.drawRect(groove);
    painter.restore();
}

void outlineStraight(QPainter& painter, qreal from, qreal to) {
    painter.setPen(QPen(palette::kOutline, 1.2));
    painter.drawLine(QPointF(from, kCentre - kRadius + 0.6), QPointF(to, kCentre - kRadius + 0.6));
    painter.drawLine(QPointF(from, kCentre + kRadius - 0.6), QPointF(to, kCentre + kRadius - 0.6));
}

void outlineElbow(QPainter& painter, const QPointF& corner, int startAngle) {
    painter.setPen(QPen(palette::kOutline, 1.2));
    painter.setBrush(Qt::NoBrush);
    for (qreal r : {kBend - kRadius + 0.6, kBend + kRadius - 0.6}) {
        painter.drawArc(QRectF(corner.x() - r, corner.y() - r, 2 * r, 2 * r), startAngle * 16,
                        90 * 16);
    }
}

// The open mouth where the ball leaves or enters, at a tile edge.
void drawMouth(QPainter& painter, qreal edgeY, bool atTop) {
    const QRectF collar(kCentre - kRadius - 3, atTop ? edgeY : edgeY - 7, 2 * kRadius + 6, 7);
    drawCollar(painter, collar, false);
    painter.save();
    painter.setClipRect(QRectF(0, 0, kTile, kTile));
    QRadialGradient hole(kCentre, edgeY, kRadius);
    hole.setColorAt(0.0, QColor(6, 8, 12));
    hole.setColorAt(0.8, QColor(28, 32, 40));
    hole.setColorAt(1.0, QColor(60, 66, 78));
    painter.setPen(QPen(palette::kOutline, 1.0));
    painter.setBrush(hole);
    painter.drawEllipse(QPointF(kCentre, edgeY), kRadius - 3, 5.0);
    painter.restore();
}

QImage drawStraight() {
    QImage image = blankImage(kTile, kTile);
    QPainter painter(&image);
    prepare(painter);
    QPainterPath shape;
    shape.addRect(QRectF(-8, kCentre - kRadius, kTile + 16, 2 * kRadius));
    drawShadow(painter, shape);
    painter.fillRect(QRectF(0, kCentre - kRadius, kTile, 2 * kRadius), straightBrush());
    outlineStraight(painter, 0, kTile);
    drawCollar(painter, QRectF(kCentre - 4, kCentre - kRadius - 3, 8, 2 * kRadius + 6), true);
    return image;
}

// Entry pipe: the run comes in from the right and bends up to the top edge.
QImage drawEntry() {
    QImage image = blankImage(kTile, kTile);
    QPainter painter(&image);
    prepare(painter);
    const QPointF corner(kTile, 0);
    QPainterPath shape = quarterRing(corner, 180);
    QPainterPath reach;
    reach.addRect(QRectF(kTile - 1, kCentre - kRadius, 12, 2 * kRadius));
    reach.addRect(QRectF(kCentre - kRadius, -12, 2 * kRadius, 13));
    drawShadow(painter, shape.united(reach));
    painter.setPen(Qt::NoPen);
    painter.setBrush(elbowBrush(corner, false));
    painter.drawPath(shape);
    outlineElbow(painter, corner, 180);
    drawMouth(painter, 0, true);
    return image;
}

// Exit pipe: the run comes in from the left and bends down to the bottom edge.
QImage drawExit() {
    QImage image = blankImage(kTile, kTile);
    QPainter painter(&image);
    prepare(painter);
    const QPointF corner(0, kTile);
    QPainterPath shape = quarterRing(corner, 0);
    QPainterPath reach;
    reach.addRect(QRectF(-12, kCentre - kRadius, 13, 2 * kRadius));
    reach.addRect(QRectF(kCentre - kRadius, kTile - 1, 2 * kRadius, 12));
    drawShadow(painter, shape.united(reach));
    painter.setPen(Qt::NoPen);
    painter.setBrush(elbowBrush(corner, true));
    painter.drawPath(shape);
    outlineElbow(painter, corner, 0);
    drawMouth(painter, kTile, false);
    return image;
}

}  // namespace

std::vector<Picture> drawPipePictures() {
    return {
        {"Anfang", "Anfang.png", drawEntry()},
        {"Ende", "Ende.png", drawExit()},
        {"Verbindung", "Verbindung.png", drawStraight()},
    };
}

}  // namespace ferlan::art
