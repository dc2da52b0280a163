// Both windows keep every position in twips and convert only at the edge:
// when painting and for mouse positions.
#pragma once

#include <leveldata/level_text.h>

#include <QPointF>
#include <QRectF>

namespace ferlan {

constexpr double toPixels(double twips) { return twips / kTwipsPerPixel; }
constexpr double toTwips(double pixels) { return pixels * kTwipsPerPixel; }
// Widget geometry, which takes whole pixels; the fraction is dropped.
constexpr int toWholePixels(double twips) { return static_cast<int>(toPixels(twips)); }

inline QRectF toPixels(double left, double top, double width, double height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}
inline QPointF toTwips(QPointF pixels) { return {toTwips(pixels.x()), toTwips(pixels.y())}; }

}  // namespace ferlan
