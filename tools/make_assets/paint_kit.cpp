#include "paint_kit.h"

#include <QFontDatabase>
#include <QHash>

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ferlan::art {

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QColor mix(const QColor& a, const QColor& b, double share) {
    const double keep = 1.0 - share;
    return QColor::fromRgbF(static_cast<float>(a.redF() * keep + b.redF() * share),
                            static_cast<float>(a.greenF() * keep + b.greenF() * share),
                            static_cast<float>(a.blueF() * keep + b.blueF() * share),
                            static_cast<float>(a.alphaF() * keep + b.alphaF() * share));
}

QLinearGradient cylinderAcross(const QRectF& rect, const QColor& base, bool vertical) {
    // Shading runs across the cylinder: a bright band a third of the way in
    // (light from the top left), a dark underside and a thin reflected rim.
    QLinearGradient gradient = vertical ? QLinearGradient(rect.left(), 0, rect.right(), 0)
                                        : QLinearGradient(0, rect.top(), 0, rect.bottom());
    gradient.setColorAt(0.00, base.darker(150));
    gradient.setColorAt(0.12, base.lighter(115));
    gradient.setColorAt(0.30, mix(base, Qt::white, 0.75));
    gradient.setColorAt(0.45, base.lighter(110));
    gradient.setColorAt(0.80, base.darker(160));
    gradient.setColorAt(0.92, base.darker(200));
    gradient.setColorAt(1.00, base.darker(130));
    return gradient;
}

void drawMark(QPainter& painter, const QPointF& centre, qreal size, Mark mark, const QColor& ink,
              qreal strokeShare) {
    if (mark == Mark::None) {
        return;
    }
    const qreal half = size / 2.0;
    const qreal stroke = size * strokeShare;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const QRectF bar(centre.x() - half, centre.y() - stroke / 2, size, stroke);
    switch (mark) {
        case Mark::Plus:
            path.addRect(bar);
            path.addRect(QRectF(centre.x() - stroke / 2, centre.y() - half, stroke, size));
            break;
        case Mark::Minus: path.addRect(bar); break;
        case Mark::Neutral: {
            const qreal outer = half * 0.9;
            const qreal inner = outer - stroke * 0.85;
            path.setFillRule(Qt::OddEvenFill);
            path.addEllipse(centre, outer, outer);
            path.addEllipse(centre, inner, inner);
            break;
        }
        case Mark::None: break;
    }
    painter.drawPath(path);
    painter.restore();
}

QColor markColour(Mark mark) {
    switch (mark) {
        case Mark::Plus: return palette::kPlus;
        case Mark::Minus: return palette::kMinus;
        case Mark::Neutral:
        case Mark::None: break;
    }
    return palette::kNeutral;
}

void drawBadge(QPainter& painter, const QPointF& centre, qreal radius, Mark mark) {
    const QColor base = markColour(mark);
    painter.save();
    QRadialGradient face(centre.x() - radius * 0.35, centre.y() - radius * 0.4, radius * 1.5);
    face.setColorAt(0.0, base.lighter(145));
    face.setColorAt(0.55, base);
    face.setColorAt(1.0, base.darker(170));
    painter.setPen(QPen(palette::kOutline, std::max<qreal>(0.8, radius * 0.14)));
    painter.setBrush(face);
    painter.drawEllipse(centre, radius, radius);
    // A dark copy under the white mark reads as an engraving.
    const qreal size = radius * 1.25;
    drawMark(painter, centre + QPointF(radius * 0.06, radius * 0.08), size, mark,
             QColor(0, 0, 0, 110));
    drawMark(painter, centre, size, mark, QColor(255, 255, 255));
    painter.restore();
}

void drawGlossySphere(QPainter& painter, const QRectF& rect, const QColor& base) {
    const QPointF centre = rect.center();
    const qreal radius = rect.width() / 2.0;
    painter.save();
    QRadialGradient body(centre.x() - radius * 0.3, centre.y() - radius * 0.35, radius * 1.45,
                         centre.x() - radius * 0.35, centre.y() - radius * 0.45);
    body.setColorAt(0.0, base.lighter(170));
    body.setColorAt(0.35, base.lighter(112));
    body.setColorAt(0.75, base.darker(135));
    body.setColorAt(1.0, base.darker(260));
    painter.setPen(
        QPen(mix(base.darker(300), palette::kOutline, 0.5), std::max<qreal>(0.8, radius * 0.06)));
    painter.setBrush(body);
    painter.drawEllipse(rect.adjusted(0.5, 0.5, -0.5, -0.5));

    // Light bounced from the floor along the lower rim.
    QRadialGradient bounce(centre.x() + radius * 0.15, centre.y() + radius * 0.9, radius * 0.7);
    bounce.setColorAt(0.0, QColor(255, 255, 255, 70));
    bounce.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(bounce);
    painter.drawEllipse(
        rect.adjusted(radius * 0.12, radius * 0.12, -radius * 0.12, -radius * 0.12));

    // The gloss: a soft oval window reflection at the top left.
    const QRectF gloss(centre.x() - radius * 0.62, centre.y() - radius * 0.78, radius * 0.9,
                       radius * 0.6);
    QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
    shine.setColorAt(0.0, QColor(255, 255, 255, 235));
    shine.setColorAt(1.0, QColor(255, 255, 255, 20));
    painter.setBrush(shine);
    painter.drawEllipse(gloss);
    painter.restore();
}

void drawPolishedIron(QPainter& painter, const QRectF& ball) {
    const QPointF centre = ball.center();
    const qreal radius = ball.width() / 2;
    const qreal unit = radius / 15.25;  // drawn for a 32-pixel ball, scaled
    painter.save();
    QPainterPath disc;
    disc.addEllipse(ball);
    painter.setClipPath(disc, Qt::IntersectClip);
    QLinearGradient sky(0, ball.top(), 0, centre.y() + 3 * unit);
    sky.setColorAt(0.0, QColor(120, 128, 142));
    sky.setColorAt(0.45, QColor(206, 213, 224));
    sky.setColorAt(1.0, QColor(244, 246, 250));
    painter.fillRect(ball, sky);
    QPainterPath ground;
    ground.moveTo(ball.left(), centre.y() + 0.5 * unit);
    ground.quadTo(centre.x(), centre.y() + 6.5 * unit, ball.right(), centre.y() + 0.5 * unit);
    ground.lineTo(ball.bottomRight());
    ground.lineTo(ball.bottomLeft());
    ground.closeSubpath();
    QLinearGradient floor(0, centre.y() + unit, 0, ball.bottom());
    floor.setColorAt(0.0, QColor(58, 60, 68));
    floor.setColorAt(0.5, QColor(104, 104, 108));
    floor.setColorAt(1.0, QColor(160, 158, 156));
    painter.setPen(Qt::NoPen);
    painter.setBrush(floor);
    painter.drawPath(ground);
    QRadialGradient rim(centre, radius);
    rim.setColorAt(0.0, QColor(0, 0, 0, 0));
    rim.setColorAt(0.65, QColor(0, 0, 0, 15));
    rim.setColorAt(1.0, QColor(10, 14, 24, 190));
    painter.fillRect(ball, rim);
    painter.restore();

    painter.save();
    painter.setPen(QPen(QColor(24, 26, 32), 1.2 * std::max<qreal>(1.0, unit * 0.6)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(ball);
    // A small hard highlight, the mark of polished metal.
    const QPointF sparkCentre(centre.x() - 6 * unit, centre.y() - 7 * unit);
    QRadialGradient spark(sparkCentre, 4.5 * unit);
    spark.setColorAt(0.0, QColor(255, 255, 255, 255));
    spark.setColorAt(0.5, QColor(255, 255, 255, 200));
    spark.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(spark);
    painter.drawEllipse(sparkCentre, 4.5 * unit, 4.5 * unit);
    painter.restore();
}

TileNoise::TileNoise(int period, int cellsX, int cellsY, std::uint32_t seed)
    : period_(period),
      cellsX_(cellsX),
      cellsY_(cellsY),
      lattice_(static_cast<std::size_t>(cellsX) * static_cast<std::size_t>(cellsY)) {
    SeededRandom random(seed);
    for (double& value : lattice_) {
        value = random.unit();
    }
}

double TileNoise::at(double x, double y) const {
    const double gx = x * cellsX_ / period_;
    const double gy = y * cellsY_ / period_;
    const double fx = std::floor(gx);
    const double fy = std::floor(gy);
    auto wrap = [](double v, int cells) {
        const int i = static_cast<int>(v) % cells;
        return i < 0 ? i + cells : i;
    };
    const int x0 = wrap(fx, cellsX_);
    const int y0 = wrap(fy, cellsY_);
    const int x1 = (x0 + 1) % cellsX_;
    const int y1 = (y0 + 1) % cellsY_;
    auto smooth = [](double t) { return t * t * (3.0 - 2.0 * t); };
    const double tx = smooth(gx - fx);
    const double ty = smooth(gy - fy);
    auto cell = [this](int cx, int cy) {
        return lattice_[static_cast<std::size_t>(cy) * static_cast<std::size_t>(cellsX_) +
                        static_cast<std::size_t>(cx)];
    };
    const double top = cell(x0, y0) * (1 - tx) + cell(x1, y0) * tx;
    const double bottom = cell(x0, y1) * (1 - tx) + cell(x1, y1) * tx;
    return top * (1 - ty) + bottom * ty;
}

std::uint32_t SeededRandom::next() {
    // xorshift32: tiny, fully specified, the same on every compiler.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double SeededRandom::unit() {
    return static_cast<double>(next() >> 8) / static_cast<double>(1u << 24);
}

QFont packagedFont(const QString& fileName, qreal pixelSize) {
    static QHash<QString, QString> families;
    auto found = families.constFind(fileName);
    if (found == families.constEnd()) {
        const int id = QFontDatabase::addApplicationFont(fileName);
        const QStringList loaded =
            id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (loaded.isEmpty()) {
            std::fprintf(stderr, "make-assets: font file %s is missing; run scripts/setup.sh\n",
                         qPrintable(fileName));
            std::exit(2);
        }
        found = families.insert(fileName, loaded.first());
    }
    QFont font(found.value());
    font.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    return font;
}

QPainterPath textPath(const QFont& font, const QPointF& origin, const QString& text) {
    QPainterPath path;
    path.addText(origin, font, text);
    return path;
}

}  // namespace ferlan::art
