#pragma once

// Shared colours, shapes and noise for every picture, so the whole set keeps
// one light source (top left), one outline tone and one pair of polarity marks.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <vector>

namespace ferlan::art {

struct Picture {
    QString name;  // the name the programs ask for ("Alarmgrün")
    QString file;  // the file in assets/ ("Alarmgruen.png")
    QImage image;
};

enum class Mark { None, Plus, Minus, Neutral };

namespace palette {
inline const QColor kOutline{38, 42, 52};
inline const QColor kSteelLight{236, 240, 246};
inline const QColor kSteelMid{150, 160, 176};
inline const QColor kSteelDark{70, 78, 94};
inline const QColor kPlus{214, 48, 40};
inline const QColor kMinus{36, 160, 74};
inline const QColor kNeutral{128, 134, 148};
inline const QColor kCopper{196, 112, 54};
inline const QColor kMenuText{64, 64, 64};
}  // namespace palette

// A transparent ARGB picture of the given size.
QImage blankImage(int width, int height);

// A painter with antialiasing on; every picture is drawn with one.
void prepare(QPainter& painter);

// A vertical gradient that shades a horizontal cylinder lying in rect.
QLinearGradient cylinderAcross(const QRectF& rect, const QColor& base, bool vertical);

// The plus, minus and neutral marks: told apart by shape (cross, bar, ring),
// never by colour alone.
void drawMark(QPainter& painter, const QPointF& centre, qreal size, Mark mark, const QColor& ink,
              qreal strokeShare = 0.28);

// A round badge with a mark on it, used on rods, pipes and indicators.
void drawBadge(QPainter& painter, const QPointF& centre, qreal radius, Mark mark);

// A glossy sphere (charged balls, lamps) in rect.
void drawGlossySphere(QPainter& painter, const QRectF& rect, const QColor& base);

// The iron ball's polished metal: a bright sky above a dark floor with a
// horizon bent by the sphere, unlike the soft gloss of the charged balls.
void drawPolishedIron(QPainter& painter, const QRectF& ball);

// The colour of the badge of a mark.
QColor markColour(Mark mark);

// Value noise that repeats every `period` pixels in both directions, so
// textures built on it tile without seams. The lattice comes from a fixed
// seed: the same seed gives the same noise on every run.
class TileNoise {
public:
    TileNoise(int period, int cells, std::uint32_t seed) : TileNoise(period, cells, cells, seed) {}
    // Separate lattice sizes stretch the noise, as wood grain needs.
    TileNoise(int period, int cellsX, int cellsY, std::uint32_t seed);
    // Smooth noise in [0, 1] at pixel (x, y); any x, y (wraps).
    double at(double x, double y) const;

private:
    int period_;
    int cellsX_;
    int cellsY_;
    std::vector<double> lattice_;
};

// Pseudo-random numbers from a fixed seed, identical on every platform.
class SeededRandom {
public:
    explicit SeededRandom(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    std::uint32_t next();
    double unit();  // [0, 1)

private:
    std::uint32_t state_;
};

// Font files of Debian packages that scripts/setup.sh installs.
inline const QString kBrushScriptFile =
    QStringLiteral("/usr/share/fonts/opentype/kaushanscript/KaushanScript-Regular.otf");
inline const QString kFlowingScriptFile =
    QStringLiteral("/usr/share/fonts/opentype/dancingscript/DancingScript-Bold.otf");
inline const QString kPlainFile = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

// A font loaded from a file that a Debian package installs, so the lettering
// in the pictures does not depend on what else a machine has. Exits with a
// message when the file is missing.
QFont packagedFont(const QString& fileName, qreal pixelSize);

// The outline of text in a packaged font, with its left end of the baseline at
// origin; filling paths instead of drawing text keeps the result hinting-free.
QPainterPath textPath(const QFont& font, const QPointF& origin, const QString& text);

// Mixes two colours; share is the weight of b.
QColor mix(const QColor& a, const QColor& b, double share);

}  // namespace ferlan::art
