#include "picture_compare.h"

#include <algorithm>
#include <cstdlib>

namespace ferlan::art {

namespace {

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

}  // namespace

PictureDifference comparePictures(const QImage& stored, const QImage& drawn) {
    PictureDifference difference;
    difference.sameShape = stored.size() == drawn.size() && stored.format() == drawn.format();
    if (!difference.sameShape) {
        return difference;
    }
    // Compared as unpremultiplied colours, whatever the stored format, so a
    // channel's difference means the same in every picture.
    const QImage a = stored.convertToFormat(QImage::Format_ARGB32);
    const QImage b = drawn.convertToFormat(QImage::Format_ARGB32);
    difference.pixels = static_cast<long long>(a.width()) * a.height();
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int distance = channelDistance(rowA[x], rowB[x]);
            if (distance > 0) {
                ++difference.differing;
                difference.largest = std::max(difference.largest, distance);
            }
        }
    }
    return difference;
}

bool isExact(const PictureDifference& difference) {
    return difference.sameShape && difference.differing == 0;
}

bool isWithin(const PictureDifference& difference, const PictureTolerance& tolerance) {
    return difference.sameShape && difference.largest <= tolerance.channel &&
           static_cast<double>(difference.differing) <=
               tolerance.pixelShare * static_cast<double>(difference.pixels);
}

QString describeDifference(const QString& name, const PictureDifference& difference) {
    if (!difference.sameShape) {
        return QStringLiteral("%1: another size or format").arg(name);
    }
    return QStringLiteral("%1: %2 of %3 pixels differ, largest difference %4")
        .arg(name)
        .arg(difference.differing)
        .arg(difference.pixels)
        .arg(difference.largest);
}

}  // namespace ferlan::art
