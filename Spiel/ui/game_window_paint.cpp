// Painting the window: everything is placed in twips and mapped to the
// widget only here, with pictures snapped to whole device pixels so they stay
// sharp while the logic keeps its fractions.
#include "game_window.h"

#include <common/fonts.h>
#include <common/pictures.h>

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ferlan {

namespace {

constexpr double kMenuLabelHeight = 615;

// The font for a label of `heightTwips` at the window's scale.
QFont scaledFont(LabelFace face, double heightTwips, double scale) {
    const double pixels = kLabelPixelSize * (heightTwips / kMenuLabelHeight) * (scale * 15);
    return labelFont(face, std::max(1, static_cast<int>(std::lround(pixels))));
}

const QColor kFieldTextColour{255, 255, 255};
const QColor kFieldTextShadow{0, 0, 0, 160};
const QColor kLabelRim{255, 255, 255, 150};

QString fromModel(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void GameWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Black bars only where the window's shape leaves room beside the scene;
    // a pixel the scene covers only in part is filled too.
    const QRectF sceneF(toWidget({0, 0}), QSizeF(kWidth, kHeight) * scale_);
    const QPoint inner(static_cast<int>(std::ceil(sceneF.left())),
                       static_cast<int>(std::ceil(sceneF.top())));
    const QRect scene(inner, QPoint(static_cast<int>(std::floor(sceneF.right())) - 1,
                                    static_cast<int>(std::floor(sceneF.bottom())) - 1));
    for (const QRect& bar : QRegion(event->rect()).subtracted(scene))
        painter.fillRect(bar, Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(scale_ * 15 - 1) > 1e-9);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintScene(painter, event->rect());
}

void GameWindow::drawPicture(QPainter& painter, const QString& name, QRectF twips,
                             QRectF sourceTwips) {
    drawPixmap(painter, picture(name), twips, sourceTwips);
}

void GameWindow::drawPixmap(QPainter& painter, const QPixmap& pixmap, QRectF twips,
                            QRectF sourceTwips) {
    if (pixmap.isNull()) return;
    // Whole device pixels: a sprite between two pixels would look blurred.
    const QRectF target(snapToDevicePixels(toWidget(twips.topLeft())), twips.size() * scale_);
    QRectF source = sourceTwips.isNull() ? QRectF(QPointF(0, 0), twips.size()) : sourceTwips;
    const double pictureDpr = pixmap.devicePixelRatio();
    source = QRectF(source.topLeft() / 15 * pictureDpr, source.size() / 15 * pictureDpr);
    painter.drawPixmap(target, pixmap, source);
}

void GameWindow::drawLabel(QPainter& painter, const SceneItem& label) {
    const QRectF box(toWidget(label.rect().topLeft()), label.rect().size() * scale_);
    const bool credits = label.kind() == SceneItem::Kind::CreditsLine;
    painter.setFont(scaledFont(credits ? LabelFace::Odessa : LabelFace::OneStrokeScript,
                               kMenuLabelHeight, scale_));
    const Qt::Alignment align = label.kind() == SceneItem::Kind::LevelLabel
                                    ? Qt::AlignLeft | Qt::AlignVCenter
                                    : Qt::AlignCenter;
    const int flags = static_cast<int>(align.toInt()) | Qt::TextDontClip;
    if (!credits) {
        // A faint light rim keeps the script readable where it crosses the
        // drawing on the background.
        const double rim = std::max(1.0, scale_ * 15);
        painter.setPen(kLabelRim);
        for (const QPointF shift :
             {QPointF(-rim, 0), QPointF(rim, 0), QPointF(0, -rim), QPointF(0, rim)}) {
            painter.drawText(box.translated(shift), flags, label.text());
        }
    }
    painter.setPen(label.colour());
    painter.drawText(box, flags, label.text());
}

void GameWindow::paintScene(QPainter& painter, const QRect& dirty) {
    // During play the field and the panel hide nearly all of the menu screen
    // under them; painting only what shows keeps a moving level cheap.
    double coveredTop = 0;
    double coveredBottom = 0;
    if (model_.Spielflaeche.Visible) {
        coveredTop = std::max(0.0, static_cast<double>(model_.Spielflaeche.Top));
        coveredBottom = std::min(kHeight, static_cast<double>(model_.Spielflaeche.bottom()));
    }
    const auto hidden = [&](const QRectF& twips) {
        return twips.top() >= coveredTop && twips.bottom() <= coveredBottom;
    };
    drawBackgroundBand(painter, 0, coveredTop);
    drawBackgroundBand(painter, std::max(coveredTop, coveredBottom), kHeight);
    painter.save();
    painter.setClipRect(QRectF(toWidget({0, 0}), QSizeF(kWidth, kHeight) * scale_));
    if (ueberdecken_->visible() && !hidden(ueberdecken_->rect())) {
        drawPicture(painter, QStringLiteral("Überdecken"), ueberdecken_->rect());
    }
    const auto drawShown = [&](const SceneItem* label) {
        if (label->visible() && !hidden(label->rect())) drawLabel(painter, *label);
    };
    std::for_each(titleLabels_.begin(), titleLabels_.end(), drawShown);
    std::for_each(levels_.begin(), levels_.end(), drawShown);
    for (const SceneItem* label : {zurueck_, credits1_, credits2_}) drawShown(label);
    if (model_.Spielflaeche.Visible) paintField(painter, dirty);
    if (model_.Anzeigetafel.Visible && dirty.intersects(panelInWidget())) paintPanel(painter);
    painter.restore();
}

void GameWindow::drawBackgroundBand(QPainter& painter, double top, double bottom) {
    if (bottom <= top) return;
    drawPicture(painter, QStringLiteral("Hintergrund"), {0, top, kWidth, bottom - top},
                {0, top, kWidth, bottom - top});
}

void GameWindow::paintField(QPainter& painter, const QRect& dirty) {
    const FieldObject& field = model_.Spielflaeche;
    const QPointF origin(field.Left, field.Top);
    auto at = [&](const FieldObject& o) {
        return QRectF(origin.x() + o.Left, origin.y() + o.Top, o.Width, o.Height);
    };
    // Most of a tall level lies outside the window; what lies there costs nothing.
    const QRectF dirtyF = QRectF(dirty).adjusted(-1, -1, 1, 1);
    auto shows = [&](const QRectF& twips) {
        return QRectF(toWidget(twips.topLeft()), twips.size() * scale_).intersects(dirtyF);
    };
    auto drawShown = [&](const QString& name, const FieldObject& o) {
        if (o.Visible && shows(at(o))) drawPicture(painter, name, at(o));
    };
    auto drawShownImage = [&](const Image& image) {
        if (image.Visible && shows(at(image))) {
            drawPicture(painter, fromModel(std::string(pictureName(image.picture))), at(image));
        }
    };

    painter.save();
    const QRectF fieldInWindow =
        QRectF(origin, QSizeF(field.Width, field.Height)).intersected({0, 0, kWidth, kHeight});
    painter.setClipRect(QRectF(toWidget(fieldInWindow.topLeft()), fieldInWindow.size() * scale_),
                        Qt::IntersectClip);

    // The floor drawing, under everything.
    painter.drawPixmap(snapToDevicePixels(toWidget(origin)), floorDrawing());
    // The ball goes into the pipes and under the polarisers.
    drawShown(QStringLiteral("Eisenkugel"), model_.Eisenkugel);
    drawShown(QStringLiteral("Ende"), model_.Ende);
    drawShown(QStringLiteral("Anfang"), model_.Anfang);
    for (const FieldObject& piece : model_.Verbindung)
        drawShown(QStringLiteral("Verbindung"), piece);
    for (std::size_t i = 1; i < model_.Ferlan.size(); ++i) drawShownImage(model_.Ferlan[i]);
    for (std::size_t k = 1; k < model_.Kugel.size(); ++k) drawShownImage(model_.Kugel[k]);
    for (std::size_t k = 1; k < model_.Transformator.size(); ++k)
        drawShownImage(model_.Transformator[k]);

    // The captions on the field, centred across it.
    const std::array<const Label*, 3> captions{&model_.Levelanzeiger, &model_.Levelendeanzeiger,
                                               &model_.Geschafft};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const Label& label = *captions[i];
        if (!label.Visible) continue;
        // The final message takes the place of the end label, under the exit
        // where the player's eyes are, and wraps across the field.
        const bool final = &label == &model_.Geschafft;
        const double top = final ? model_.Levelendeanzeiger.Top : label.Top;
        const double height =
            final ? 3 * kMenuLabelHeight : std::max<double>(label.Height, kMenuLabelHeight);
        const QRectF box(origin.x() + 480, origin.y() + top, field.Width - 960, height);
        // The shadow reaches one pixel further right and down.
        if (!shows(box.adjusted(0, 0, 1 / scale_, 1 / scale_))) continue;
        const LabelFace face =
            &label == &model_.Levelanzeiger ? LabelFace::Odessa : LabelFace::OneStrokeScript;
        painter.drawPixmap(snapToDevicePixels(toWidget(box.topLeft())),
                           captionDrawing(i, fromModel(label.Caption), face, box.size() * scale_));
    }
    painter.restore();
}

QPointF GameWindow::snapToDevicePixels(QPointF widget) const {
    const double dpr = devicePixelRatioF();
    return {std::round(widget.x() * dpr) / dpr, std::round(widget.y() * dpr) / dpr};
}

const QPixmap& GameWindow::captionDrawing(std::size_t index, const QString& text, LabelFace face,
                                          QSizeF size) {
    const double dpr = devicePixelRatioF();
    const QFont font = scaledFont(face, kMenuLabelHeight, scale_);
    return captionDrawings_.at(index).get(CachedDrawing::keyOf(text, font, size, dpr), [&] {
        // The shadow reaches one pixel further right and down.
        QPixmap drawing((QSizeF(size.width() + 1, size.height() + 1) * dpr).toSize());
        drawing.setDevicePixelRatio(dpr);
        drawing.fill(Qt::transparent);
        QPainter painter(&drawing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
        painter.setPen(kFieldTextShadow);
        painter.drawText(QRectF(QPointF(1, 1), size), flags, text);
        painter.setPen(kFieldTextColour);
        painter.drawText(QRectF(QPointF(0, 0), size), flags, text);
        return drawing;
    });
}

const QPixmap& GameWindow::floorDrawing() {
    constexpr double kTile = 960;
    const double dpr = devicePixelRatioF();
    const QByteArray key = CachedDrawing::keyOf(model_.FloorTexture, model_.FloorRows,
                                                model_.Spielflaeche.Height, scale_, dpr);
    return floorDrawing_.get(key, [&] {
        const QSizeF size = QSizeF(kWidth, model_.Spielflaeche.Height) * scale_;
        QPixmap drawing((size * dpr).toSize());
        drawing.setDevicePixelRatio(dpr);
        // Opaque, so each frame copies it instead of blending it.
        drawing.fill(Qt::black);
        const QPixmap& tile = picture(QStringLiteral("Boden%1").arg(model_.FloorTexture));
        if (tile.isNull()) return drawing;
        QPainter painter(&drawing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(scale_ * 15 - 1) > 1e-9);
        // Seven columns cover the field's width and rows 0 to R its height. Each
        // tile runs from one whole device pixel to where the next one starts, so
        // no seam opens between them at any scale.
        const double step = kTile * scale_ * dpr;
        const auto edge = [&](int n) { return std::round(n * step) / dpr; };
        for (int c = 0; c <= 6; ++c) {
            for (int r = 0; r <= model_.FloorRows; ++r) {
                const QRectF target(QPointF(edge(c), edge(r)), QPointF(edge(c + 1), edge(r + 1)));
                painter.drawPixmap(target, tile, QRectF(QPointF(0, 0), tile.size()));
            }
        }
        return drawing;
    });
}

void GameWindow::paintPanel(QPainter& painter) {
    const FieldObject& panel = model_.Anzeigetafel;
    auto on = [&](double left, double top, double width, double height) {
        return QRectF(panel.Left + left, panel.Top + top, width, height);
    };
    drawPicture(painter, QStringLiteral("Anzeigetafel"), on(0, 0, panel.Width, panel.Height));
    const Label& number = model_.Levelanzeige;
    if (number.Visible) {
        const QRectF box = on(number.Left, number.Top, number.Width, number.Height);
        painter.setFont(scaledFont(LabelFace::OneStrokeScript, number.Height, scale_));
        painter.setPen(SceneItem::kRestColour);
        painter.drawText(QRectF(toWidget(box.topLeft()), box.size() * scale_),
                         Qt::AlignCenter | Qt::TextDontClip, fromModel(number.Caption).trimmed());
    }
    if (model_.Geladen.Visible) {
        drawPicture(painter, QStringLiteral("Geladen"),
                    on(model_.Geladen.Left, model_.Geladen.Top, 480, 480));
    }
    const QString indicator = model_.plusanzeigeVisible()    ? QStringLiteral("Plusanzeige")
                              : model_.minusanzeigeVisible() ? QStringLiteral("Minusanzeige")
                                                             : QStringLiteral("Neutralanzeige");
    drawPicture(painter, indicator, on(3380, 70, 480, 480));
    drawPicture(painter, AlarmLamp::pictureName(lamp_.picture()), on(5840, 60, 480, 480));
    if (!notice_.isEmpty()) {
        // Between the polarity indicator and the lamp's caption.
        const QRectF box = on(3900, 40, 1100, panel.Height - 80);
        QFont font;
        font.setPixelSize(std::max(6, static_cast<int>(std::lround(135 * scale_))));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(160, 0, 0));
        painter.drawText(QRectF(toWidget(box.topLeft()), box.size() * scale_),
                         Qt::AlignCenter | Qt::TextWordWrap, notice_);
    }
}

}  // namespace ferlan
