#pragma once

// Whether a committed picture still is what the generator draws. Painting
// with floating point is not bit-identical from one processor to the next,
// so a stored PNG may differ from today's drawing by a rounding step in a few
// pixels without anything having changed; a changed drawing moves many
// pixels or moves them far.

#include <QImage>
#include <QString>

namespace ferlan::art {

struct PictureTolerance {
    int channel = 2;           // largest difference of one channel, of 255
    double pixelShare = 0.05;  // largest share of pixels that differ at all
};

struct PictureDifference {
    bool sameShape = false;  // size and format agree
    long long pixels = 0;    // pixels of the picture
    long long differing = 0;
    int largest = 0;  // largest difference of one channel
};

PictureDifference comparePictures(const QImage& stored, const QImage& drawn);

// Exact: nothing differs at all.
bool isExact(const PictureDifference& difference);
bool isWithin(const PictureDifference& difference, const PictureTolerance& tolerance);

// One line for the report: the picture's name and how it differs.
QString describeDifference(const QString& name, const PictureDifference& difference);

}  // namespace ferlan::art
