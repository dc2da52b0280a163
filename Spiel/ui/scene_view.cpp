#include "scene_view.h"

#include "scene_item.h"

#include <common/pictures.h>

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ferlan {

void SceneView::resize(int width, int height, double dpr) {
    scale_ = std::min(width / kWidth, height / kHeight);
    offset_ = QPointF((width - kWidth * scale_) / 2, (height - kHeight * scale_) / 2);
    dpr_ = dpr;
}

QPointF SceneView::snapToDevicePixels(QPointF widget) const {
    return {std::round(widget.x() * dpr_) / dpr_, std::round(widget.y() * dpr_) / dpr_};
}

const QFont& SceneView::labelFont(LabelFace face, double heightTwips) const {
    // Two heights are in use: the labels' 615 and the panel number's 495.
    auto& bySize = fonts_[face == LabelFace::Odessa ? 1 : 0];
    CachedFont& cached = bySize[heightTwips == kLabelHeight ? 0 : 1];
    if (cached.height != heightTwips || cached.scale != scale_) {
        const double pixels = kLabelPixelSize * (heightTwips / kLabelHeight) * (scale_ * 15);
        cached = {heightTwips, scale_,
                  ferlan::labelFont(face, std::max(1, static_cast<int>(std::lround(pixels))))};
    }
    return cached.font;
}

void SceneView::drawPixmap(QPainter& painter, const QPixmap& pixmap, QRectF twips,
                           QRectF sourceTwips) const {
    if (pixmap.isNull()) return;
    // Whole device pixels: a sprite between two pixels would look blurred.
    const QRectF target(snapToDevicePixels(toWidget(twips.topLeft())), twips.size() * scale_);
    QRectF source = sourceTwips.isNull() ? QRectF(QPointF(0, 0), twips.size()) : sourceTwips;
    const double pictureDpr = pixmap.devicePixelRatio();
    source = QRectF(source.topLeft() / 15 * pictureDpr, source.size() / 15 * pictureDpr);
    painter.drawPixmap(target, pixmap, source);
}

void SceneView::drawPicture(QPainter& painter, const QString& name, QRectF twips,
                            QRectF sourceTwips) const {
    drawPixmap(painter, picture(name), twips, sourceTwips);
}

void drawLabel(QPainter& painter, const SceneView& view, const SceneItem& label) {
    static const QColor kRim{255, 255, 255, 150};
    const QRectF box = view.toWidget(label.rect());
    const bool credits = label.kind() == SceneItem::Kind::CreditsLine;
    painter.setFont(view.labelFont(credits ? LabelFace::Odessa : LabelFace::OneStrokeScript));
    const Qt::Alignment align = label.kind() == SceneItem::Kind::LevelLabel
                                    ? Qt::AlignLeft | Qt::AlignVCenter
                                    : Qt::AlignCenter;
    const int flags = static_cast<int>(align.toInt()) | Qt::TextDontClip;
    if (!credits) {
        // A faint light rim keeps the script readable where it crosses the
        // drawing on the background.
        const double rim = std::max(1.0, view.scale() * 15);
        painter.setPen(kRim);
        for (const QPointF shift :
             {QPointF(-rim, 0), QPointF(rim, 0), QPointF(0, -rim), QPointF(0, rim)}) {
            painter.drawText(box.translated(shift), flags, label.text());
        }
    }
    painter.setPen(label.colour());
    painter.drawText(box, flags, label.text());
}

}  // namespace ferlan
