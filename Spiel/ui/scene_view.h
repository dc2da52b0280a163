// The mapping from window twips to widget pixels, and the drawing helpers
// every part of the game window paints with. Everything is placed in twips
// and mapped only here; pictures are snapped to whole device pixels so they
// stay sharp while the logic keeps its fractions.
#pragma once

#include <common/fonts.h>

#include <QFont>
#include <QPixmap>
#include <QPointF>
#include <QRectF>

#include <array>

class QPainter;

namespace ferlan {

class SceneItem;

class SceneView {
public:
    // The client area: 6735 x 8640 twips, 449 x 576 pixels at design size.
    static constexpr double kWidth = 6735;
    static constexpr double kHeight = 8640;
    static constexpr double kLabelHeight = 615;

    // A widget of `width` x `height` pixels shows the scene scaled uniformly
    // and centred; `dpr` is its device pixel ratio.
    void resize(int width, int height, double dpr);

    double scale() const { return scale_; }
    double dpr() const { return dpr_; }
    QPointF toWidget(QPointF twips) const { return offset_ + twips * scale_; }
    QPointF toScene(QPointF widget) const { return (widget - offset_) / scale_; }
    QRectF toWidget(const QRectF& twips) const {
        return {toWidget(twips.topLeft()), twips.size() * scale_};
    }
    QPointF snapToDevicePixels(QPointF widget) const;

    // The script font for a label `heightTwips` high at this scale; made once
    // per scale.
    const QFont& labelFont(LabelFace face, double heightTwips = kLabelHeight) const;

    // Draws the top left part of `pixmap` (or `sourceTwips` of it) into
    // `twips` without scaling it beyond the window's own scale.
    void drawPixmap(QPainter& painter, const QPixmap& pixmap, QRectF twips,
                    QRectF sourceTwips = {}) const;
    void drawPicture(QPainter& painter, const QString& name, QRectF twips,
                     QRectF sourceTwips = {}) const;

private:
    double scale_ = 1.0 / 15.0;
    double dpr_ = 1.0;
    QPointF offset_;
    struct CachedFont {
        double height = 0;
        double scale = 0;
        QFont font;
    };
    mutable std::array<std::array<CachedFont, 2>, 2> fonts_{};
};

// A menu label, level label or credits line in its font and colour.
void drawLabel(QPainter& painter, const SceneView& view, const SceneItem& label);

}  // namespace ferlan
