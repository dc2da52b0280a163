// The level elements: pole blocks, charged balls, polarisers and the iron ball.

#include "pictures_drawn.h"

#include <leveldata/elements.h>

#include <QLinearGradient>
#include <QRadialGradient>

namespace ferlan::art {
namespace {

struct PoleShape {
    int size;       // the square picture
    int rodHeight;  // the opaque rows at the top: the game crops the pole to them
    int capWidth;
    int sleeveWidth;
    qreal markSize;
};

constexpr PoleShape kGrossPoleShape{kGrossFerlanPicture.pixels, kGrossFerlanPicture.opaquePixels,
                                    11, 20, 11.0};
constexpr PoleShape kKleinPoleShape{kKleinFerlanPicture.pixels, kKleinFerlanPicture.opaquePixels, 8,
                                    14, 7.0};

// Horizontal shading of a rod across its height, filled without antialiasing
// so that every pixel of the rod is fully opaque.
void fillRodBand(QPainter& painter, const QRect& band, const QColor& base, int rodHeight) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(band, cylinderAcross(QRectF(0, 0, band.width(), rodHeight), base, false));
    painter.restore();
}

QImage drawPole(const PoleShape& shape, bool links, Mark mark) {
    QImage image = blankImage(shape.size, shape.size);
    QPainter painter(&image);
    prepare(painter);
    const int width = shape.size;
    const int height = shape.rodHeight;

    // Drawn for a right-wall pole (free end on the left) and mirrored for the
    // left wall, so both sides are the same rod.
    QImage rod = blankImage(width, height);
    {
        QPainter p(&rod);
        prepare(p);
        fillRodBand(p, QRect(0, 0, width, height), palette::kSteelMid, height);

        // Machined grooves along the body.
        const int grooveStep = width == kGrossFerlanPicture.pixels ? 9 : 8;
        for (int x = shape.capWidth + shape.sleeveWidth + 10; x < width - 4; x += grooveStep) {
            p.fillRect(QRectF(x, 0, 1, height), QColor(30, 34, 44, 70));
            p.fillRect(QRectF(x + 1, 0, 1, height), QColor(255, 255, 255, 60));
        }

        // The end cap: a pole shoe of blued iron with a rounded face.
        const QRect cap(0, 0, shape.capWidth, height);
        fillRodBand(p, cap, QColor(78, 96, 128), height);
        QLinearGradient face(0, 0, shape.capWidth, 0);
        face.setColorAt(0.0, QColor(10, 14, 24, 150));
        face.setColorAt(0.25, QColor(255, 255, 255, 40));
        face.setColorAt(0.6, QColor(255, 255, 255, 0));
        face.setColorAt(1.0, QColor(0, 0, 0, 40));
        p.fillRect(cap, face);
        p.fillRect(QRectF(shape.capWidth, 0, 1, height), QColor(20, 24, 34, 200));
        p.fillRect(QRectF(shape.capWidth + 1, 0, 1, height), QColor(255, 255, 255, 90));

        // A coloured sleeve carries the polarity mark; hidden poles have none.
        if (mark != Mark::None) {
            const QRect sleeve(shape.capWidth + 4, 0, shape.sleeveWidth, height);
            fillRodBand(p, sleeve, markColour(mark), height);
            p.fillRect(QRectF(sleeve.left(), 0, 1, height), QColor(20, 20, 28, 170));
            p.fillRect(QRectF(sleeve.right(), 0, 1, height), QColor(20, 20, 28, 170));
            const QPointF centre(sleeve.left() + sleeve.width() / 2.0, height / 2.0);
            drawMark(p, centre + QPointF(0.6, 0.7), shape.markSize, mark, QColor(0, 0, 0, 120));
            drawMark(p, centre, shape.markSize, mark, Qt::white);
        }

        // The far end disappears into the wall's shadow.
        QLinearGradient shade(width - 12, 0, width, 0);
        shade.setColorAt(0.0, QColor(0, 0, 0, 0));
        shade.setColorAt(1.0, QColor(0, 0, 0, 110));
        p.fillRect(QRect(width - 12, 0, 12, height), shade);

        // Crisp outline along the top and bottom rows.
        p.fillRect(QRect(0, 0, width, 1), QColor(30, 34, 44, 150));
        p.fillRect(QRect(0, height - 1, width, 1), QColor(20, 22, 30, 220));
        p.fillRect(QRect(0, 0, 1, height), QColor(20, 22, 30, 200));
    }
    if (links) {
        rod = rod.mirrored(true, false);
        // Keep the light from the top left: the mirror flipped the cap's glint.
        QPainter p(&rod);
        QLinearGradient glint(width - shape.capWidth, 0, width, 0);
        glint.setColorAt(0.0, QColor(255, 255, 255, 30));
        glint.setColorAt(1.0, QColor(0, 0, 0, 30));
        p.fillRect(QRect(width - shape.capWidth, 0, shape.capWidth, height), glint);
    }
    painter.drawImage(0, 0, rod);
    return image;
}

QImage drawKugel(Mark mark) {
    QImage image = blankImage(kKugelPicture.pixels, kKugelPicture.pixels);
    QPainter painter(&image);
    prepare(painter);
    const QColor base = mark == Mark::None ? QColor(122, 100, 178) : markColour(mark);
    drawGlossySphere(painter, QRectF(1, 1, 30, 30), base);
    const QPointF centre(16, 17);
    drawMark(painter, centre + QPointF(0.8, 1.0), 14, mark, QColor(0, 0, 0, 110));
    drawMark(painter, centre, 14, mark, Qt::white);
    return image;
}

QImage drawIronBall() {
    QImage image = blankImage(32, 32);
    QPainter painter(&image);
    prepare(painter);
    drawPolishedIron(painter, QRectF(0.75, 0.75, 30.5, 30.5));
    return image;
}

// The pipe piece fills all rows; the programs crop the picture to 40 pixels
// and collide with that box, so nothing lies right of it.
QImage drawTransformator(Mark mark) {
    constexpr int h = kTransformatorPicture.pixels;
    QImage image = blankImage(h, h);
    QPainter painter(&image);
    prepare(painter);
    const int w = kTransformatorPicture.opaquePixels;
    const QRectF tube(0, 0, w, h);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, w, h), cylinderAcross(tube, palette::kSteelMid, true));
    painter.restore();

    // Copper windings between the two flanges.
    painter.save();
    painter.setClipRect(QRectF(2, 7, w - 4, 50));
    const QLinearGradient copper = cylinderAcross(tube, palette::kCopper, true);
    for (int y = 6; y < 60; y += 4) {
        QPainterPath turn;
        turn.moveTo(1, y + 1.2);
        turn.cubicTo(w * 0.3, y - 0.6, w * 0.7, y + 0.6, w - 1, y - 1.2);
        turn.lineTo(w - 1, y + 1.8);
        turn.cubicTo(w * 0.7, y + 3.6, w * 0.3, y + 2.4, 1, y + 4.2);
        turn.closeSubpath();
        painter.setPen(QPen(QColor(70, 34, 14), 0.8));
        painter.setBrush(copper);
        painter.drawPath(turn);
    }
    painter.restore();

    // Flanges: darker steel rings at both ends with bolt heads.
    for (int top : {0, h - 7}) {
        const QRectF flange(0, top, w, 7);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(flange, cylinderAcross(tube, palette::kSteelDark.lighter(130), true));
        painter.restore();
        painter.fillRect(QRectF(0, top, w, 1), QColor(255, 255, 255, top == 0 ? 40 : 90));
        painter.fillRect(QRectF(0, top + 6, w, 1), QColor(10, 12, 18, 170));
        for (qreal x : {6.0, w - 6.0}) {
            painter.setPen(QPen(QColor(20, 22, 30), 0.8));
            painter.setBrush(QColor(196, 200, 210));
            painter.drawEllipse(QPointF(x, top + 3.5), 1.8, 1.8);
        }
    }
    painter.fillRect(QRectF(0, 0, 1, h), QColor(20, 22, 30, 200));
    painter.fillRect(QRectF(w - 1, 0, 1, h), QColor(20, 22, 30, 220));

    drawBadge(painter, QPointF(w / 2.0, h / 2.0), 10.5, mark);
    return image;
}

}  // namespace

std::vector<Picture> drawElementPictures() {
    std::vector<Picture> pictures;
    // The poles in palette order; the name's letters say size, wall and mark.
    for (int i = static_cast<int>(ferlan::Picture::grp);
         i <= static_cast<int>(ferlan::Picture::klu); ++i) {
        const auto pole = static_cast<ferlan::Picture>(i);
        const QString name = QString::fromLatin1(pictureName(pole));
        const Mark mark = name[2] == 'p' ? Mark::Plus : name[2] == 'm' ? Mark::Minus : Mark::None;
        pictures.push_back(
            {name, name + ".png",
             drawPole(isGross(pole) ? kGrossPoleShape : kKleinPoleShape, isLinks(pole), mark)});
    }
    pictures.push_back({"p", "p.png", drawKugel(Mark::Plus)});
    pictures.push_back({"m", "m.png", drawKugel(Mark::Minus)});
    pictures.push_back({"u", "u.png", drawKugel(Mark::None)});
    pictures.push_back({"ap", "ap.png", drawTransformator(Mark::Plus)});
    pictures.push_back({"am", "am.png", drawTransformator(Mark::Minus)});
    pictures.push_back({"an", "an.png", drawTransformator(Mark::Neutral)});
    pictures.push_back({"Eisenkugel", "Eisenkugel.png", drawIronBall()});
    return pictures;
}

}  // namespace ferlan::art
