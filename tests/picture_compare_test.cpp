// The picture check tolerates rounding and nothing else: a stored PNG may be
// off by a step or two in a few pixels, never by a moved shape, another
// colour or another size; and the generator rewrites a file only beyond that.
#include "picture_compare.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <functional>
#include <tuple>

namespace ferlan::art {
namespace {

QImage drawing(QPoint centre = {24, 24}, QColor colour = QColor(200, 40, 40)) {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 12, 12);
    painter.fillRect(40, 40, 16, 8, QColor(30, 90, 160));
    return image;
}

// Moves one channel (given by the shift of its byte: 16 red, 8 green, 0 blue,
// 24 alpha) of the first `count` opaque pixels by `step`.
QImage nudged(int count, int step, int shift = 16) {
    QImage image = drawing();
    for (int y = 0, done = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255 && done++ < count)
                image.setPixel(x, y, image.pixel(x, y) + (static_cast<QRgb>(step) << shift));
        }
    }
    return image;
}

TEST(PictureCompare, RoundingPassesAndAChangedDrawingFails) {
    const long long pixels = 64LL * 64;
    const long long share = pixels * 5 / 100;  // the most pixels that may differ
    // What differs, the drawing compared with the reference, and whether it passes.
    const std::tuple<const char*, std::function<QImage()>, bool> cases[] = {
        {"the same drawing", [] { return drawing(); }, true},
        {"one channel off by 1 in a few pixels", [] { return nudged(7, 1); }, true},
        {"off by 2, the largest rounding", [] { return nudged(3, 2, 0); }, true},
        {"off by 3 in one pixel", [] { return nudged(1, 3, 8); }, false},
        {"alpha off by 3", [] { return nudged(1, -3, 24); }, false},
        {"off by 1 in the largest share", [=] { return nudged(int(share), 1); }, true},
        {"off by 1 in one pixel more", [=] { return nudged(int(share) + 1, 1); }, false},
        {"the disc shifted by two pixels", [] { return drawing(QPoint(26, 24)); }, false},
        {"the disc in another colour", [] { return drawing(QPoint(24, 24), QColor(40, 200, 40)); },
         false},
        {"another size", [] { return drawing().copy(0, 0, 64, 63); }, false},
        {"another format", [] { return drawing().convertToFormat(QImage::Format_RGB32); }, false},
    };
    for (const auto& [what, drawn, within] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(isWithin(comparePictures(drawing(), drawn()), PictureTolerance{}), within);
    }
    EXPECT_TRUE(isExact(comparePictures(drawing(), drawing())));
    EXPECT_FALSE(isExact(comparePictures(drawing(), nudged(1, 1))));
}

TEST(PictureCompare, TheReportNamesThePictureTheCountAndTheLargestDifference) {
    const PictureDifference difference = comparePictures(drawing(), nudged(5, 9));
    EXPECT_EQ(std::tuple(difference.differing, difference.largest), std::tuple(5, 9));
    EXPECT_EQ(describeDifference("assets/p.png", difference),
              "assets/p.png: 5 of 4096 pixels differ, largest difference 9");
    EXPECT_EQ(describeDifference("assets/m.png", comparePictures(drawing(), QImage())),
              "assets/m.png: another size or format");
}

// The generator itself, on a copy of the committed pictures: a rounding step
// in a file is neither reported nor rewritten (but is in exact mode); a
// changed drawing is reported by name and rewritten.
TEST(MakeAssets, ReportsAndRewritesOnlyAChangedDrawing) {
    const QDir source(FERLAN_SOURCE_DIR);
    // Whether a shape is painted over (else one channel is off by one in a pixel), the arguments,
    // the exit code, what the output reports (nullptr: nothing), and whether the file is rewritten.
    const std::tuple<bool, QStringList, int, const char*, bool> cases[] = {
        {false, {"--check"}, 0, nullptr, false},
        {false, {}, 0, nullptr, false},
        {false, {"--check", "--exact"}, 1, "p.png: bytes differ", false},
        {true, {"--check"}, 1, "p.png: 36 of 1024 pixels differ", false},
        {true, {}, 0, nullptr, true},
    };
    for (const auto& [redrawn, args, exitCode, reported, rewritten] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        QTemporaryDir root;
        ASSERT_TRUE(QDir(root.path()).mkpath("assets") && QDir(root.path()).mkpath("docs"));
        for (const QString& name : QDir(source.filePath("assets")).entryList({"*.png"})) {
            ASSERT_TRUE(
                QFile::copy(source.filePath("assets/" + name), root.filePath("assets/" + name)));
        }
        ASSERT_TRUE(QFile::copy(source.filePath("docs/contact_sheet.png"),
                                root.filePath("docs/contact_sheet.png")));
        const QString picture = root.filePath("assets/p.png");
        QImage image(picture);
        if (redrawn)
            QPainter(&image).fillRect(8, 8, 6, 6, Qt::green);
        else
            image.setPixel(16, 16, image.pixel(16, 16) ^ 0x10000);
        ASSERT_TRUE(image.save(picture, "PNG"));
        const QImage changed(picture);

        QProcess process;
        process.start(FERLAN_MAKE_ASSETS, args + QStringList{root.path()});
        ASSERT_TRUE(process.waitForFinished(120'000));
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        EXPECT_EQ(process.exitCode(), exitCode) << out.toStdString();
        EXPECT_TRUE(!reported || out.contains(reported)) << out.toStdString();
        EXPECT_EQ(QImage(picture) != changed, rewritten);
    }
}

}  // namespace
}  // namespace ferlan::art
