#include "field_view.h"

#include "scene_item.h"
#include "scene_view.h"

#include <Spiel/sim/rules.h>
#include <common/pictures.h>
#include <common/utf8_text.h>

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ferlan {

namespace {

const QColor kFieldTextColour{255, 255, 255};
const QColor kFieldTextShadow{0, 0, 0, 160};

// The captions on the field: "Level N" above the entry until the ball is out,
// the end label while the ball is drawn into the exit, and the final message,
// which takes the end label's place.
enum Caption : std::size_t { kLevelCaption, kEndCaption, kFinalCaption };
constexpr Twips kLevelCaptionHeight = 495;
// How far above the field's bottom edge the level caption's bottom lies.
constexpr Twips kLevelCaptionRise = 3503;
constexpr Twips kEndCaptionTop = 2603;
constexpr Twips kEndCaptionHeight = 615;
constexpr double kPauseTextHeight = 600;

// The level number on the panel, and the file mark shown instead of it.
constexpr double kNumberLeft = 1360, kNumberTop = 30, kNumberWidth = 615, kNumberHeight = 495;
constexpr double kLoadedLeft = 1420, kLoadedTop = 70, kLoadedSize = 480;
// Between the polarity indicator and the lamp's caption: the times, or a
// notice in their place.
constexpr double kTimesLeft = 3900, kTimesTop = 40, kTimesWidth = 1100, kTimesMargin = 80;
constexpr double kTimesTextHeight = 135;

QString seconds(std::int64_t ticks) { return QString::fromStdString(secondsText(ticks)); }

}  // namespace

FieldView::Captions FieldView::captions() const {
    Captions shown;
    if (model_.Phase == BallPhase::Entry) {
        // A loaded level has no number; its caption stays empty.
        const std::optional<int> builtin = session_.builtinIndex();
        shown[kLevelCaption] = builtin ? QStringLiteral("Level %1").arg(*builtin + 1) : QString();
    }
    if (session_.setCompleted()) {
        shown[kFinalCaption] =
            QStringLiteral("Herzlichen Glückwunsch! Sie haben Ferlan geschafft.");
    } else if (ballInExit(model_)) {
        shown[kEndCaption] = QStringLiteral("Level geschafft!!!");
    }
    return shown;
}

QStringList FieldView::captionsShown() const {
    QStringList texts;
    for (const std::optional<QString>& text : captions()) {
        if (text) texts << *text;
    }
    return texts;
}

QRectF FieldView::fieldInWindow() const {
    const FieldObject& field = model_.Spielflaeche;
    if (!session_.shown()) return {};
    return QRectF(field.Left, field.Top, field.Width, field.Height)
        .intersected({0, 0, SceneView::kWidth, SceneView::kHeight});
}

QRectF FieldView::panelInWindow() const {
    const FieldObject& panel = model_.Anzeigetafel;
    if (!session_.shown()) return {};
    return {panel.Left, panel.Top, panel.Width, panel.Height};
}

QRectF FieldView::timesInWindow() const {
    const QRectF panel = panelInWindow();
    if (panel.isEmpty()) return {};
    return {panel.left() + kTimesLeft, panel.top() + kTimesTop, kTimesWidth,
            panel.height() - kTimesMargin};
}

QString FieldView::timesText() const {
    // Tenths while the clock runs: hundredths would redraw it on every tick
    // and could not be read anyway.
    QString text =
        QStringLiteral("Zeit ") + QString::fromStdString(secondsText(session_.attemptTicks(), 1));
    if (const std::optional<int> builtin = session_.builtinIndex()) {
        if (const auto best = bestTimes_.of(*builtin + 1)) {
            text += QStringLiteral("\nBestzeit ") + seconds(*best);
        }
    }
    return text;
}

const QPixmap& FieldView::elementPicture(Picture which) {
    const QPixmap*& cached = pictures_[static_cast<std::size_t>(which)];
    if (!cached) cached = &picture(fromView(pictureName(which)));
    return *cached;
}

void FieldView::paintField(QPainter& painter, const SceneView& view, const QRectF& dirty) {
    const FieldObject& field = model_.Spielflaeche;
    const QPointF origin(field.Left, field.Top);
    auto at = [&](const FieldObject& o) {
        return QRectF(origin.x() + o.Left, origin.y() + o.Top, o.Width, o.Height);
    };
    // Most of a tall level lies outside the window; what lies there costs nothing.
    const QRectF dirtyF = dirty.adjusted(-1, -1, 1, 1);
    auto shows = [&](const QRectF& twips) { return view.toWidget(twips).intersects(dirtyF); };
    auto drawShown = [&](const QString& name, const FieldObject& o) {
        if (o.Visible && shows(at(o))) view.drawPicture(painter, name, at(o));
    };
    auto drawShownImage = [&](const Image& image) {
        if (image.Visible && shows(at(image))) {
            view.drawPixmap(painter, elementPicture(image.picture), at(image));
        }
    };

    painter.save();
    painter.setClipRect(view.toWidget(fieldInWindow()), Qt::IntersectClip);

    // The floor drawing, under everything.
    painter.drawPixmap(view.snapToDevicePixels(view.toWidget(origin)), floorDrawing(view));
    // The ball goes into the pipes and under the polarisers.
    drawShown(QStringLiteral("Eisenkugel"), model_.Eisenkugel);
    drawShown(QStringLiteral("Ende"), model_.Ende);
    drawShown(QStringLiteral("Anfang"), model_.Anfang);
    for (const FieldObject& piece : model_.Verbindung)
        drawShown(QStringLiteral("Verbindung"), piece);
    forEachKind([&](const KindTraits& kind) {
        const auto array = fieldSlots(model_, kind.kind);
        for (const Image& image : array.images.subspan(1)) drawShownImage(image);
    });

    // The captions on the field, centred across it.
    const Captions texts = captions();
    const double scale = view.scale();
    for (const std::size_t i : {kLevelCaption, kEndCaption, kFinalCaption}) {
        if (!texts[i]) continue;
        const QString& text = *texts[i];
        double top = kEndCaptionTop;
        double height = std::max<double>(kEndCaptionHeight, SceneView::kLabelHeight);
        if (i == kLevelCaption) {
            top = field.Height - (kLevelCaptionHeight + kLevelCaptionRise);
            height = std::max<double>(kLevelCaptionHeight, SceneView::kLabelHeight);
        } else if (i == kFinalCaption) {
            // The final message wraps across the field.
            height = 3 * SceneView::kLabelHeight;
        }
        const QRectF box(origin.x() + 480, origin.y() + top, field.Width - 960, height);
        // The shadow reaches one pixel further right and down.
        if (!shows(box.adjusted(0, 0, 1 / scale, 1 / scale))) continue;
        const LabelFace face = i == kLevelCaption ? LabelFace::Odessa : LabelFace::OneStrokeScript;
        painter.drawPixmap(view.snapToDevicePixels(view.toWidget(box.topLeft())),
                           captionDrawing(i, text, face, box.size() * scale, view));
    }
    if (session_.paused()) paintPause(painter, view);
    painter.restore();
}

void FieldView::paintPause(QPainter& painter, const SceneView& view) const {
    const QRectF shown = view.toWidget(fieldInWindow());
    painter.fillRect(shown, QColor(0, 0, 0, 128));
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(kPauseTextHeight * view.scale()))));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(shown, Qt::AlignCenter, QStringLiteral("Pause"));
}

const QPixmap& FieldView::captionDrawing(std::size_t index, const QString& text, LabelFace face,
                                         QSizeF size, const SceneView& view) {
    Drawing& cached = captions_.at(index);
    const double dpr = view.dpr();
    if (!cached.pixmap.isNull() && cached.text == text && cached.height == size.height() &&
        cached.rows == static_cast<int>(face) && cached.scale == view.scale() &&
        cached.dpr == dpr) {
        return cached.pixmap;
    }
    // The shadow reaches one pixel further right and down.
    QPixmap drawing((QSizeF(size.width() + 1, size.height() + 1) * dpr).toSize());
    drawing.setDevicePixelRatio(dpr);
    drawing.fill(Qt::transparent);
    QPainter painter(&drawing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(view.labelFont(face));
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    painter.setPen(kFieldTextShadow);
    painter.drawText(QRectF(QPointF(1, 1), size), flags, text);
    painter.setPen(kFieldTextColour);
    painter.drawText(QRectF(QPointF(0, 0), size), flags, text);
    painter.end();
    cached = {text, static_cast<int>(face), 0, size.height(), view.scale(), dpr, drawing};
    return cached.pixmap;
}

const QPixmap& FieldView::floorDrawing(const SceneView& view) {
    constexpr double kTile = 960;
    const double dpr = view.dpr();
    const double scale = view.scale();
    const double height = model_.Spielflaeche.Height;
    if (!floor_.pixmap.isNull() && floor_.texture == model_.FloorTexture &&
        floor_.rows == model_.FloorRows && floor_.height == height && floor_.scale == scale &&
        floor_.dpr == dpr) {
        return floor_.pixmap;
    }
    const QSizeF size = QSizeF(SceneView::kWidth, height) * scale;
    QPixmap drawing((size * dpr).toSize());
    drawing.setDevicePixelRatio(dpr);
    // Opaque, so each frame copies it instead of blending it.
    drawing.fill(Qt::black);
    const QPixmap& tile = picture(floorPicture(model_.FloorTexture));
    if (!tile.isNull()) {
        QPainter painter(&drawing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(scale * 15 - 1) > 1e-9);
        // Seven columns cover the field's width and rows 0 to R its height. Each
        // tile runs from one whole device pixel to where the next one starts, so
        // no seam opens between them at any scale.
        const double step = kTile * scale * dpr;
        const auto edge = [&](int n) { return std::round(n * step) / dpr; };
        for (int c = 0; c <= 6; ++c) {
            for (int r = 0; r <= model_.FloorRows; ++r) {
                const QRectF target(QPointF(edge(c), edge(r)), QPointF(edge(c + 1), edge(r + 1)));
                painter.drawPixmap(target, tile, QRectF(QPointF(0, 0), tile.size()));
            }
        }
    }
    floor_ = {{}, model_.FloorRows, model_.FloorTexture, height, scale, dpr, drawing};
    return floor_.pixmap;
}

void FieldView::paintPanel(QPainter& painter, const SceneView& view) const {
    const FieldObject& panel = model_.Anzeigetafel;
    auto on = [&](double left, double top, double width, double height) {
        return QRectF(panel.Left + left, panel.Top + top, width, height);
    };
    view.drawPicture(painter, QStringLiteral("Anzeigetafel"), on(0, 0, panel.Width, panel.Height));
    if (const std::optional<int> builtin = session_.builtinIndex()) {
        const QRectF box = on(kNumberLeft, kNumberTop, kNumberWidth, kNumberHeight);
        painter.setFont(view.labelFont(LabelFace::OneStrokeScript, kNumberHeight));
        painter.setPen(SceneItem::kRestColour);
        painter.drawText(view.toWidget(box), Qt::AlignCenter | Qt::TextDontClip,
                         QString::number(*builtin + 1));
    } else {
        view.drawPicture(painter, QStringLiteral("Geladen"),
                         on(kLoadedLeft, kLoadedTop, kLoadedSize, kLoadedSize));
    }
    const QString indicator = model_.plusanzeigeVisible()    ? QStringLiteral("Plusanzeige")
                              : model_.minusanzeigeVisible() ? QStringLiteral("Minusanzeige")
                                                             : QStringLiteral("Neutralanzeige");
    view.drawPicture(painter, indicator, on(3380, 70, 480, 480));
    view.drawPicture(painter, AlarmLamp::pictureName(lamp_.picture()), on(5840, 60, 480, 480));
    const QRectF box = on(kTimesLeft, kTimesTop, kTimesWidth, panel.Height - kTimesMargin);
    QFont font;
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(kTimesTextHeight * view.scale()))));
    font.setBold(true);
    painter.setFont(font);
    if (!notice_.isEmpty()) {
        painter.setPen(QColor(160, 0, 0));
        painter.drawText(view.toWidget(box), Qt::AlignCenter | Qt::TextWordWrap, notice_);
    } else {
        painter.setPen(SceneItem::kRestColour);
        painter.drawText(view.toWidget(box), Qt::AlignCenter, timesText());
    }
}

}  // namespace ferlan
