// One sheet that shows every picture enlarged three times on a checkerboard
// (so transparency shows), each with its name, and a small sample field that
// shows the floors tiling and the pipes joining.

#include "pictures_drawn.h"

#include <algorithm>
#include <map>

namespace ferlan::art {
namespace {

constexpr int kZoom = 3;
constexpr int kSheetWidth = 1440;
constexpr int kMargin = 24;
constexpr int kGap = 20;
constexpr int kCaption = 22;

void drawChecker(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(area);
    constexpr int square = 12;
    for (int y = area.top(); y < area.bottom() + 1; y += square) {
        for (int x = area.left(); x < area.right() + 1; x += square) {
            const bool dark = (((x - area.left()) / square) + ((y - area.top()) / square)) % 2 == 1;
            painter.fillRect(QRect(x, y, square, square),
                             dark ? QColor(200, 200, 204) : QColor(244, 244, 246));
        }
    }
    painter.restore();
}

QImage enlarged(const QImage& image, int zoom) {
    return image.scaled(image.size() * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// A piece of a level with every floor, both pipe rows and some elements, as
// the game puts them together (poles and polarisers cropped like the game does).
QImage drawSampleField(const std::map<QString, const QImage*>& byName) {
    constexpr int columns = 7;
    constexpr int rows = 4;
    QImage field(columns * 64, rows * 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&field);
    for (int r = 0; r < rows; ++r) {
        const QImage& floor = *byName.at(QStringLiteral("Boden%1").arg(r + 1));
        for (int c = 0; c < columns; ++c) {
            painter.drawImage(c * 64, r * 64, floor);
        }
    }
    auto put = [&](const char* name, int x, int y, int width = -1, int height = -1) {
        const QImage& image = *byName.at(QString::fromLatin1(name));
        painter.drawImage(QPoint(x, y), image.copy(0, 0, width < 0 ? image.width() : width,
                                                   height < 0 ? image.height() : height));
    };
    put("Verbindung", 0, 0);
    put("Verbindung", 64, 0);
    put("Verbindung", 128, 0);
    put("Ende", 192, 0);
    put("Anfang", 192, 192);
    put("Verbindung", 256, 192);
    put("Verbindung", 320, 192);
    put("Verbindung", 384, 192);
    put("grp", 384, 80, 64, 19);
    put("glm", 0, 120, 64, 19);
    put("krm", 400, 140, 48, 11);
    put("klu", 0, 70, 48, 11);
    put("am", 150, 96, 40, 64);
    put("p", 300, 40);
    put("m", 92, 170);
    put("u", 260, 140);
    put("Eisenkugel", 208, 209);
    return field;
}

}  // namespace

QImage drawContactSheet(const std::vector<Picture>& pictures) {
    std::map<QString, const QImage*> byName;
    std::vector<const Picture*> shown;
    for (const Picture& picture : pictures) {
        byName[picture.name] = &picture.image;
        // One icon size is enough to judge each icon: they share the drawing.
        if (picture.name.startsWith(QLatin1String("icon_")) &&
            !picture.name.endsWith(QLatin1String("_48")) &&
            !picture.name.endsWith(QLatin1String("_16"))) {
            continue;
        }
        shown.push_back(&picture);
    }
    const QImage sample = enlarged(drawSampleField(byName), 2);

    // Flow layout: place cells left to right and wrap; remember the positions.
    struct Cell {
        const QImage* image;
        QString caption;
        QPoint at;
        int zoom;
    };
    std::vector<Cell> cells;
    int x = kMargin;
    int y = kMargin;
    int rowHeight = 0;
    auto place = [&](const QImage* image, const QString& caption, int zoom) {
        const int w = image->width() * zoom;
        const int h = image->height() * zoom + kCaption;
        if (x + w > kSheetWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        cells.push_back({image, caption, QPoint(x, y), zoom});
        x += std::max(w, 90) + kGap;
        rowHeight = std::max(rowHeight, h);
    };
    for (const Picture* picture : shown) {
        place(&picture->image, picture->name, kZoom);
    }
    place(&sample, QStringLiteral("Beispiel: Boden1 bis Boden4, Rohre und Elemente (2x)"), 1);
    const int height = y + rowHeight + kMargin;

    QImage sheet(kSheetWidth, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(250, 250, 252));
    QPainter painter(&sheet);
    prepare(painter);
    const QFont font = packagedFont(kPlainFile, 14);
    for (const Cell& cell : cells) {
        const QImage big = cell.zoom == 1 ? *cell.image : enlarged(*cell.image, cell.zoom);
        const QRect area(cell.at, big.size());
        drawChecker(painter, area);
        painter.drawImage(cell.at, big);
        painter.setPen(QPen(QColor(150, 150, 160), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(area).adjusted(-0.5, -0.5, 0.5, 0.5));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 40, 48));
        painter.drawPath(textPath(font, QPointF(cell.at.x(), area.bottom() + 18), cell.caption));
    }
    return sheet;
}

}  // namespace ferlan::art
