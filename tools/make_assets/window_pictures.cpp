// The game window's own pictures: background with the title, the cover plate,
// the panel strip and the small pictures that sit on it.

#include "pictures_drawn.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>

namespace ferlan::art {
namespace {

constexpr int kWindowWidth = 449;          // 6735 twips
constexpr int kWindowHeight = 576;         // 8640 twips
const QRect kTitleArea(80, 80, 273, 265);  // where the cover plate lies (1200, 1200, 4095 x 3975)
const QColor kWall(214, 221, 229);
const QColor kPlate(234, 238, 242);

// Fine horizontal brushing: a few hundred faint streaks from a fixed seed.
void brush(QPainter& painter, const QRect& area, std::uint32_t seed, int strength) {
    SeededRandom random(seed);
    painter.save();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int streaks = area.width() * area.height() / 60;
    for (int i = 0; i < streaks; ++i) {
        const int x = area.left() + static_cast<int>(random.unit() * area.width()) - 20;
        const int y = area.top() + static_cast<int>(random.unit() * area.height());
        const int length = 12 + static_cast<int>(random.unit() * 60);
        const bool light = random.unit() < 0.5;
        const int alpha = 4 + static_cast<int>(random.unit() * strength);
        painter.fillRect(QRect(x, y, length, 1),
                         light ? QColor(255, 255, 255, alpha) : QColor(0, 0, 0, alpha / 2));
    }
    painter.restore();
}

void drawScrew(QPainter& painter, const QPointF& centre, qreal radius, qreal slotAngle) {
    painter.save();
    QRadialGradient head(centre.x() - radius * 0.4, centre.y() - radius * 0.4, radius * 1.6);
    head.setColorAt(0.0, QColor(250, 252, 255));
    head.setColorAt(0.6, palette::kSteelMid);
    head.setColorAt(1.0, palette::kSteelDark);
    painter.setPen(QPen(QColor(60, 66, 80), 0.9));
    painter.setBrush(head);
    painter.drawEllipse(centre, radius, radius);
    painter.translate(centre);
    painter.rotate(slotAngle);
    painter.setPen(QPen(QColor(40, 44, 56), radius * 0.35, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(-radius * 0.7, 0), QPointF(radius * 0.7, 0));
    painter.restore();
}

// A raised plate with a soft drop shadow, bevelled edges and four screws.
void drawPlate(QPainter& painter, const QRectF& rect, std::uint32_t seed) {
    painter.save();
    for (int i = 4; i >= 1; --i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(20, 30, 50, 14));
        painter.drawRoundedRect(rect.translated(i * 0.8, i * 1.1).adjusted(-1, -1, 1, 1), 7, 7);
    }
    QLinearGradient face(rect.topLeft(), rect.bottomLeft());
    face.setColorAt(0.0, kPlate.lighter(104));
    face.setColorAt(1.0, kPlate.darker(106));
    painter.setPen(QPen(QColor(120, 130, 146), 1.0));
    painter.setBrush(face);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    brush(painter, rect.toAlignedRect().adjusted(3, 3, -3, -3), seed, 14);
    // Bevel: light along the top and left, shade along the bottom and right.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
    painter.drawLine(QPointF(rect.left() + 6, rect.top() + 1.8),
                     QPointF(rect.right() - 6, rect.top() + 1.8));
    painter.drawLine(QPointF(rect.left() + 1.8, rect.top() + 6),
                     QPointF(rect.left() + 1.8, rect.bottom() - 6));
    painter.setPen(QPen(QColor(90, 100, 118, 120), 1.2));
    painter.drawLine(QPointF(rect.left() + 6, rect.bottom() - 1.8),
                     QPointF(rect.right() - 6, rect.bottom() - 1.8));
    painter.drawLine(QPointF(rect.right() - 1.8, rect.top() + 6),
                     QPointF(rect.right() - 1.8, rect.bottom() - 6));
    const qreal inset = 9;
    const qreal angles[] = {20, 75, 140, 110};
    int i = 0;
    for (const QPointF& corner :
         {rect.topLeft() + QPointF(inset, inset), rect.topRight() + QPointF(-inset, inset),
          rect.bottomLeft() + QPointF(inset, -inset),
          rect.bottomRight() + QPointF(-inset, -inset)}) {
        drawScrew(painter, corner, 3.4, angles[i++]);
    }
    painter.restore();
}

// Faint lines of force between two poles, engraved into the wall.
void drawFieldLines(QPainter& painter, const QPointF& a, const QPointF& b, int count, int alpha) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const QPointF mid = (a + b) / 2;
    const QPointF dir = b - a;
    const QPointF normal(-dir.y(), dir.x());
    for (int i = -count; i <= count; ++i) {
        if (i == 0) {
            continue;
        }
        const qreal bulge = i * 0.22;
        QPainterPath line;
        line.moveTo(a);
        line.quadTo(mid + normal * bulge, b);
        painter.setPen(QPen(QColor(255, 255, 255, alpha), 1.6));
        painter.drawPath(line.translated(0.6, 0.8));
        painter.setPen(QPen(QColor(70, 90, 120, alpha), 1.0));
        painter.drawPath(line);
    }
    painter.restore();
}

QImage drawWall() {
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    prepare(painter);
    QLinearGradient wall(0, 0, 0, kWindowHeight);
    wall.setColorAt(0.0, kWall.lighter(106));
    wall.setColorAt(1.0, kWall.darker(108));
    painter.fillRect(image.rect(), wall);
    brush(painter, image.rect(), 501u, 10);
    // A fine engraved grid, the squared paper of a physics lab.
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int x = 16; x < kWindowWidth; x += 32) {
        painter.fillRect(QRect(x, 0, 1, kWindowHeight), QColor(90, 110, 140, 18));
    }
    for (int y = 16; y < kWindowHeight; y += 32) {
        painter.fillRect(QRect(0, y, kWindowWidth, 1), QColor(90, 110, 140, 18));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    return image;
}

// The title "Ferlan": pale, glossy letters, half faded into the plate, so
// the dark grey menu labels that lie across them stay easy to read.
void drawTitle(QPainter& painter) {
    const QFont font = packagedFont(kBrushScriptFile, 104);
    QPainterPath title = textPath(font, QPointF(0, 0), QStringLiteral("Ferlan"));
    // Fit the slanted word inside the plate with room for the rim and shadow.
    const qreal fit = 250.0 / title.boundingRect().width();
    title = QTransform::fromScale(fit, fit).map(title);
    const QRectF bounds = title.boundingRect();
    const QPointF centre(kTitleArea.center().x() + 1.5, kTitleArea.top() + 136);
    painter.save();
    painter.setOpacity(0.42);
    painter.translate(centre);
    painter.rotate(-11);
    painter.translate(-bounds.center());

    // Deep soft shadow, then a dark rim, then the pale face with a gloss band.
    for (int i = 5; i >= 1; --i) {
        painter.setPen(
            QPen(QColor(30, 50, 80, 16), i * 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(QColor(30, 50, 80, 10));
        painter.drawPath(title.translated(2.5, 3.5));
    }
    painter.setPen(QPen(QColor(112, 138, 176), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(title);
    QLinearGradient face(0, bounds.top(), 0, bounds.bottom());
    face.setColorAt(0.0, QColor(255, 255, 255));
    face.setColorAt(0.45, QColor(206, 224, 246));
    face.setColorAt(0.5, QColor(180, 204, 236));
    face.setColorAt(1.0, QColor(222, 234, 250));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawPath(title);
    // A thin highlight along the upper edges of the strokes.
    painter.setClipPath(title);
    painter.setPen(QPen(QColor(255, 255, 255, 220), 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(title.translated(-0.8, -1.2).subtracted(title.translated(0.6, 1.0)));
    painter.restore();
}

// Two charged balls and their lines of force below the title, faded so they
// stay decoration. They sit between the columns of the level list, where no
// label text reaches.
void drawWallEmblems(QPainter& painter) {
    const QPointF plus(138, 440);
    const QPointF minus(311, 440);
    drawFieldLines(painter, plus, minus, 5, 52);
    painter.save();
    painter.setOpacity(0.8);
    for (const auto& [centre, mark] :
         {std::pair{plus, Mark::Plus}, std::pair{minus, Mark::Minus}}) {
        drawGlossySphere(painter, QRectF(centre.x() - 16, centre.y() - 16, 32, 32),
                         markColour(mark));
        drawMark(painter, centre + QPointF(0, 1), 14, mark, Qt::white);
    }
    painter.restore();
}

QImage drawBackground() {
    QImage image = drawWall();
    QPainter painter(&image);
    prepare(painter);
    drawWallEmblems(painter);
    drawPlate(painter, QRectF(kTitleArea).adjusted(-2, -2, 2, 2), 502u);
    drawTitle(painter);
    return image;
}

QImage drawCover() {
    // The same plate as under the title, cut out exactly where it lies, so
    // showing the cover only removes the title.
    QImage wall = drawWall();
    QPainter painter(&wall);
    prepare(painter);
    drawPlate(painter, QRectF(kTitleArea).adjusted(-2, -2, 2, 2), 502u);
    painter.end();
    return wall.copy(kTitleArea);
}

// Panel: a dark steel strip with light display wells for the level number and
// the polarity and a socket for the lamp, each with an engraved caption.
QImage drawPanel() {
    constexpr int width = kWindowWidth;
    constexpr int height = 41;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    prepare(painter);
    QLinearGradient body(0, 0, 0, height);
    body.setColorAt(0.0, QColor(122, 134, 152));
    body.setColorAt(0.08, QColor(176, 186, 200));
    body.setColorAt(0.2, QColor(142, 154, 170));
    body.setColorAt(0.9, QColor(104, 114, 130));
    body.setColorAt(1.0, QColor(64, 70, 82));
    painter.fillRect(image.rect(), body);
    brush(painter, image.rect(), 601u, 18);
    painter.fillRect(QRect(0, 0, width, 1), QColor(60, 66, 78));

    auto well = [&painter](const QRectF& rect, qreal radius, const QColor& fill) {
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 90));
        painter.drawRoundedRect(rect.translated(0.8, 1.0), radius, radius);
        QLinearGradient inside(rect.topLeft(), rect.bottomLeft());
        inside.setColorAt(0.0, fill.darker(118));
        inside.setColorAt(0.25, fill);
        inside.setColorAt(1.0, fill.lighter(104));
        painter.setPen(QPen(QColor(40, 44, 56), 1.0));
        painter.setBrush(inside);
        painter.drawRoundedRect(rect, radius, radius);
        painter.restore();
    };
    auto caption = [&painter](const QString& text, qreal rightEdge) {
        const QFont font = packagedFont(kBrushScriptFile, 17);
        QPainterPath path = textPath(font, QPointF(0, 0), text);
        path.translate(rightEdge - path.boundingRect().right(), 26);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 110));
        painter.drawPath(path.translated(0.7, 0.9));
        painter.setBrush(QColor(34, 38, 48, 220));
        painter.drawPath(path);
    };

    // Level number label at 1360, 30 (615 x 495 twips); the file mark at 1420, 70.
    well(QRectF(87.5, 2.5, 47, 36), 6, QColor(228, 233, 238));
    caption(QStringLiteral("Level"), 80);
    // Polarity indicators at 3380, 70: 32 pixels from (225.3, 4.7).
    well(QRectF(222.5, 2.5, 37.5, 36), 18, QColor(214, 220, 228));
    caption(QStringLiteral("Polung"), 214);
    // The alarm lamp is drawn at 5840, 60: (389.3, 4).
    well(QRectF(386.5, 1.5, 37.5, 37.5), 18.5, QColor(50, 54, 62));
    caption(QStringLiteral("Alarm"), 378);

    for (qreal x : {8.0, width - 9.0}) {
        drawScrew(painter, QPointF(x, 20.5), 3.6, x < 100 ? 35 : 120);
    }
    return image;
}

QImage drawIndicator(Mark mark) {
    QImage image = blankImage(32, 32);
    QPainter painter(&image);
    prepare(painter);
    const QPointF centre(16, 16);
    drawBadge(painter, centre, 14.5, mark);
    // A glass cover over the badge.
    QLinearGradient glass(0, 2, 0, 18);
    glass.setColorAt(0.0, QColor(255, 255, 255, 150));
    glass.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glass);
    painter.drawEllipse(QRectF(6, 2.5, 20, 12));
    return image;
}

// The loaded-level mark: a level file, a sheet with a folded corner.
QImage drawLoadedMark() {
    QImage image = blankImage(32, 32);
    QPainter painter(&image);
    prepare(painter);
    QPainterPath sheet;
    sheet.moveTo(7, 2.5);
    sheet.lineTo(19, 2.5);
    sheet.lineTo(26, 9.5);
    sheet.lineTo(26, 29.5);
    sheet.lineTo(7, 29.5);
    sheet.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 50));
    painter.drawPath(sheet.translated(1.2, 1.4));
    QLinearGradient paper(7, 2, 26, 30);
    paper.setColorAt(0.0, QColor(255, 255, 255));
    paper.setColorAt(1.0, QColor(214, 222, 232));
    painter.setPen(QPen(palette::kOutline, 1.0));
    painter.setBrush(paper);
    painter.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(19, 2.5);
    fold.lineTo(19, 9.5);
    fold.lineTo(26, 9.5);
    fold.closeSubpath();
    painter.setBrush(QColor(176, 188, 204));
    painter.drawPath(fold);
    // A small level on the sheet: two rods and a ball.
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette::kSteelDark);
    painter.drawRect(QRectF(7.5, 12, 9, 3));
    painter.drawRect(QRectF(16.5, 20, 9, 3));
    painter.setBrush(palette::kPlus);
    painter.drawRect(QRectF(10, 12, 3, 3));
    painter.setBrush(palette::kMinus);
    painter.drawRect(QRectF(19, 20, 3, 3));
    drawGlossySphere(painter, QRectF(10, 22, 6, 6), QColor(90, 96, 110));
    return image;
}

enum class Lamp { Green, AlarmBright, AlarmDim };

// The lamps share one bezel; only the lens inside it changes, so drawing one
// over the other on the panel leaves no trace of the previous one.
QImage drawLamp(Lamp lamp) {
    QImage image = blankImage(32, 32);
    QPainter painter(&image);
    prepare(painter);
    const QPointF centre(16, 16);
    QRadialGradient bezel(10, 9, 24);
    bezel.setColorAt(0.0, QColor(240, 244, 250));
    bezel.setColorAt(0.5, palette::kSteelMid);
    bezel.setColorAt(1.0, palette::kSteelDark);
    painter.setPen(QPen(palette::kOutline, 1.0));
    painter.setBrush(bezel);
    painter.drawEllipse(centre, 15.2, 15.2);
    painter.setBrush(QColor(30, 30, 36));
    painter.drawEllipse(centre, 11.6, 11.6);

    QColor glow;
    QColor core;
    switch (lamp) {
        case Lamp::Green:
            glow = QColor(20, 150, 50);
            core = QColor(190, 255, 170);
            break;
        case Lamp::AlarmBright:
            glow = QColor(200, 20, 10);
            core = QColor(255, 230, 170);
            break;
        case Lamp::AlarmDim:
            glow = QColor(90, 14, 12);
            core = QColor(170, 40, 30);
            break;
    }
    QRadialGradient lens(centre, 11);
    lens.setColorAt(0.0, core);
    lens.setColorAt(0.45, lamp == Lamp::AlarmDim ? glow.lighter(150) : glow.lighter(125));
    lens.setColorAt(1.0, glow.darker(170));
    painter.setPen(Qt::NoPen);
    painter.setBrush(lens);
    painter.drawEllipse(centre, 10.6, 10.6);
    if (lamp != Lamp::Green) {
        // The exclamation mark tells the alarm from the calm lamp by shape.
        const QColor ink =
            lamp == Lamp::AlarmBright ? QColor(255, 255, 255) : QColor(255, 170, 150, 150);
        painter.setBrush(ink);
        QPainterPath bar;
        bar.moveTo(14.2, 8.5);
        bar.lineTo(17.8, 8.5);
        bar.lineTo(16.9, 18.5);
        bar.lineTo(15.1, 18.5);
        bar.closeSubpath();
        painter.drawPath(bar);
        painter.drawEllipse(QPointF(16, 22.3), 1.9, 1.9);
    }
    QLinearGradient gloss(0, 5, 0, 14);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 170));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setBrush(gloss);
    painter.drawEllipse(QRectF(9.5, 5.5, 13, 7.5));
    return image;
}

}  // namespace

std::vector<Picture> drawWindowPictures() {
    return {
        {"Hintergrund", "Hintergrund.png", drawBackground()},
        {"Überdecken", "Ueberdecken.png", drawCover()},
        {"Anzeigetafel", "Anzeigetafel.png", drawPanel()},
        {"Plusanzeige", "Plusanzeige.png", drawIndicator(Mark::Plus)},
        {"Minusanzeige", "Minusanzeige.png", drawIndicator(Mark::Minus)},
        {"Neutralanzeige", "Neutralanzeige.png", drawIndicator(Mark::Neutral)},
        {"Geladen", "Geladen.png", drawLoadedMark()},
        {"Alarmgrün", "Alarmgruen.png", drawLamp(Lamp::Green)},
        {"Alarm1", "Alarm1.png", drawLamp(Lamp::AlarmBright)},
        {"Alarm2", "Alarm2.png", drawLamp(Lamp::AlarmDim)},
    };
}

}  // namespace ferlan::art
