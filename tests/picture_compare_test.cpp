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

// Adds `step` to one channel of the first `count` pixels inside the disc.
QImage nudged(int count, int step, int channel = 0) {
    QImage image = drawing();
    int done = 0;
    for (int y = 0; y < image.height() && done < count; ++y) {
        for (int x = 0; x < image.width() && done < count; ++x) {
            QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 255) continue;
            int channels[4] = {qRed(pixel), qGreen(pixel), qBlue(pixel), qAlpha(pixel)};
            channels[channel] += channels[channel] + step > 255 ? -step : step;
            image.setPixel(x, y, qRgba(channels[0], channels[1], channels[2], channels[3]));
            ++done;
        }
    }
    return image;
}

TEST(PictureCompare, RoundingPassesAndAChangedDrawingFails) {
    const long long pixels = 64 * 64;
    const long long share = pixels * 5 / 100;  // the most pixels that may differ
    const struct {
        const char* what;
        std::function<QImage()> drawn;
        bool within;
    } cases[] = {
        {"the same drawing", [] { return drawing(); }, true},
        {"one channel off by 1 in a few pixels", [] { return nudged(7, 1); }, true},
        {"off by 2, the largest rounding", [] { return nudged(3, 2, 2); }, true},
        {"off by 3 in one pixel", [] { return nudged(1, 3, 1); }, false},
        {"alpha off by 3", [] { return nudged(1, -3, 3); }, false},
        {"off by 1 in the largest share", [=] { return nudged(int(share), 1); }, true},
        {"off by 1 in one pixel more", [=] { return nudged(int(share) + 1, 1); }, false},
        {"the disc shifted by two pixels",
         [] {
             return drawing({26, 24});
         },
         false},
        {"the disc in another colour",
         [] {
             return drawing({24, 24}, QColor(40, 200, 40));
         },
         false},
        {"another size", [] { return drawing().copy(0, 0, 64, 63); }, false},
        {"another format", [] { return drawing().convertToFormat(QImage::Format_RGB32); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PictureDifference difference = comparePictures(drawing(), c.drawn());
        EXPECT_EQ(isWithin(difference, PictureTolerance{}), c.within);
    }
    EXPECT_TRUE(isExact(comparePictures(drawing(), drawing())));
    EXPECT_FALSE(isExact(comparePictures(drawing(), nudged(1, 1))));
}

TEST(PictureCompare, TheReportNamesThePictureTheCountAndTheLargestDifference) {
    const PictureDifference difference = comparePictures(drawing(), nudged(5, 9));
    EXPECT_EQ(difference.differing, 5);
    EXPECT_EQ(difference.largest, 9);
    EXPECT_EQ(describeDifference("assets/p.png", difference),
              "assets/p.png: 5 of 4096 pixels differ, largest difference 9");
    EXPECT_EQ(describeDifference("assets/m.png", comparePictures(drawing(), QImage())),
              "assets/m.png: another size or format");
}

// The generator itself, on a copy of the committed pictures.
class MakeAssets : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        QDir(root_.path()).mkpath("assets");
        QDir(root_.path()).mkpath("docs");
        const QDir source(FERLAN_SOURCE_DIR);
        const QDir assets(source.filePath("assets"));
        for (const QString& name : assets.entryList({"*.png"}, QDir::Files)) {
            ASSERT_TRUE(QFile::copy(assets.filePath(name), path("assets/" + name)));
        }
        ASSERT_TRUE(
            QFile::copy(source.filePath("docs/contact_sheet.png"), path("docs/contact_sheet.png")));
    }

    QString path(const QString& relative) const { return root_.filePath(relative); }

    QByteArray bytes(const QString& relative) const {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The exit code; the output goes to `out`.
    int run(QStringList args, QString* out = nullptr) const {
        QProcess process;
        args << root_.path();
        process.start(FERLAN_MAKE_ASSETS, args);
        if (!process.waitForFinished(120'000)) return -1;
        if (out) *out = QString::fromUtf8(process.readAllStandardOutput());
        return process.exitCode();
    }

    QTemporaryDir root_;
};

TEST_F(MakeAssets, ARoundingStepIsNeitherReportedNorRewritten) {
    QImage picture(path("assets/p.png"));
    const QRgb pixel = picture.pixel(16, 16);
    picture.setPixel(16, 16, qRgba(qRed(pixel) ^ 1, qGreen(pixel), qBlue(pixel), qAlpha(pixel)));
    ASSERT_TRUE(picture.save(path("assets/p.png"), "PNG"));
    const QByteArray nudgedFile = bytes("assets/p.png");

    EXPECT_EQ(run({"--check"}), 0);
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(bytes("assets/p.png"), nudgedFile);
    QString out;
    EXPECT_EQ(run({"--check", "--exact"}, &out), 1);
    EXPECT_TRUE(out.contains("p.png: bytes differ")) << out.toStdString();
}

TEST_F(MakeAssets, AChangedPictureIsReportedByNameAndRewritten) {
    QImage picture(path("assets/p.png"));
    QPainter(&picture).fillRect(8, 8, 6, 6, Qt::green);
    ASSERT_TRUE(picture.save(path("assets/p.png"), "PNG"));

    QString out;
    EXPECT_EQ(run({"--check"}, &out), 1);
    EXPECT_TRUE(out.contains("p.png: 36 of 1024 pixels differ")) << out.toStdString();
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(run({"--check"}), 0);
}

}  // namespace
}  // namespace ferlan::art
