// The pictures as the programs load them from the compiled-in resources: the
// element pictures have the sizes the geometry rests on, are opaque exactly
// where the game's boxes and crops assume, and the lamp can be drawn over
// itself; pictures read ahead on another thread are the ones read on demand,
// and a window shown with its memory ready draws into memory of its size.

#include <assets/asset_paths.h>
#include <common/first_frame.h>
#include <common/pictures.h>

#include <QBackingStore>
#include <QImageReader>
#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QImage argb(const char* name) {
    return ferlan::pictureImage(QString::fromUtf8(name)).convertToFormat(QImage::Format_ARGB32);
}

// Rows [0, rows) opaque in every column, every pixel below fully transparent.
// Returns an empty string when it holds, else the first offending pixel.
QString checkOpaqueBlock(const QImage& image, int columns, int rows) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            const bool inside = x < columns && y < rows;
            if (inside ? alpha != 255 : alpha != 0) {
                return QStringLiteral("pixel (%1, %2) has alpha %3").arg(x).arg(y).arg(alpha);
            }
        }
    }
    return {};
}

}  // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void elementPicturesHaveTheirSizeAndOpaqueBlock() {
        // The game crops large poles to 360 twips (24 rows) and small ones to 240
        // (16 rows), polarisers to their pipe; its boxes assume the opaque part
        // fills those rows. -1: no block to check.
        const struct {
            const char* names[6];
            int size, blockWidth, blockHeight;
        } families[] = {
            {{"grp", "grm", "gru", "glp", "glm", "glu"}, 64, 64, 19},
            {{"krp", "krm", "kru", "klp", "klm", "klu"}, 48, 48, 11},
            {{"ap", "am", "an"}, 64, 38, 64},
            {{"p", "m", "u", "Eisenkugel"}, 32, -1, -1},
            {{"Boden1", "Boden2", "Boden3", "Boden4", "Anfang", "Ende"}, 64, -1, -1},
        };
        QList<QImage> seen;
        for (const auto& family : families) {
            for (const char* name : family.names) {
                if (!name) continue;
                const QImage image = argb(name);
                QCOMPARE(image.size(), QSize(family.size, family.size));
                QVERIFY2(!seen.contains(image), name);
                seen << image;
                if (family.blockWidth < 0) continue;
                const QString fault =
                    checkOpaqueBlock(image, family.blockWidth, family.blockHeight);
                QVERIFY2(fault.isEmpty(), qPrintable(QString::fromUtf8(name) + ": " + fault));
            }
        }
        // Anfang opens at its top edge and is closed at the bottom, Ende the other way round.
        QCOMPARE(qAlpha(argb("Anfang").pixel(32, 0)), 255);
        QCOMPARE(qAlpha(argb("Anfang").pixel(32, 63)), 0);
        QCOMPARE(qAlpha(argb("Ende").pixel(32, 63)), 255);
        QCOMPARE(qAlpha(argb("Ende").pixel(32, 0)), 0);
    }

    void namesAreCachedOnceWhateverTheSpelling() {
        // The windows compare pictures by identity, so each one is cached once
        // and stays where it is however many more are asked for.
        const QPixmap& first = ferlan::picture(QStringLiteral("Alarmgrün"));
        QVERIFY(!first.isNull());
        QCOMPARE(&ferlan::picture(QStringLiteral("Alarmgruen")), &first);
        QCOMPARE(&ferlan::picture(QStringLiteral("Überdecken")),
                 &ferlan::picture("Ueberdecken.png"));
        for (int i = 0; i < 300; ++i) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no picture")));
            QVERIFY(ferlan::picture(QStringLiteral("missing_%1").arg(i)).isNull());
        }
        QCOMPARE(&ferlan::picture(QStringLiteral("Alarmgrün")), &first);
        QCOMPARE(first.size(), QSize(32, 32));
    }

    void lampsDifferOnlyInsideTheirLens() {
        // The lamp is drawn onto the panel again and again without clearing it,
        // so everything outside the lens must be the same in all three pictures.
        const QImage green = argb("Alarmgrün"), on = argb("Alarm1"), off = argb("Alarm2");
        int lensPixels = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const double dx = x + 0.5 - 16.0, dy = y + 0.5 - 16.0;
                if (dx * dx + dy * dy <= 12.0 * 12.0) {
                    lensPixels += on.pixel(x, y) != off.pixel(x, y) ? 1 : 0;
                    continue;
                }
                QCOMPARE(on.pixel(x, y), green.pixel(x, y));
                QCOMPARE(off.pixel(x, y), green.pixel(x, y));
            }
        }
        QVERIFY2(lensPixels > 200, "the two alarm pictures should differ clearly inside the lens");
    }

    void theProgramIconComesWithTheFirstExpose() {
        QWindow window;
        window.resize(40, 30);
        ferlan::setProgramIconAfterFirstFrame(&window, QStringLiteral("editor"));
        QCoreApplication::processEvents();
        QVERIFY(QGuiApplication::windowIcon().isNull());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(!QGuiApplication::windowIcon().isNull());
        QCOMPARE(QGuiApplication::windowIcon().availableSizes().size(), 7);
    }

    void picturesDecodedAheadAreTheOnesReadOnDemand() {
        const auto fromFile = [](const char* name) {
            return QImageReader(ferlan::assetPath(QString::fromUtf8(name)), "png").read();
        };
        // Each read ahead lands under its own name, a missing one stays missing,
        // and a second read ahead leaves the pictures already handed out alone.
        // The missing one's warning may come from the reading thread at once.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no picture")));
        ferlan::decodeAhead({QStringLiteral("Boden3"), QStringLiteral("Anfang"),
                             QStringLiteral("missing_ahead"), QStringLiteral("Boden3")});
        QCOMPARE(ferlan::pictureImage(QStringLiteral("Anfang")), fromFile("Anfang"));
        QCOMPARE(ferlan::pictureImage(QStringLiteral("Boden3")), fromFile("Boden3"));
        QVERIFY(ferlan::picture(QStringLiteral("missing_ahead")).isNull());
        const QPixmap* anfang = &ferlan::picture(QStringLiteral("Anfang"));
        ferlan::decodeAhead({QStringLiteral("Anfang"), QStringLiteral("Ende")});
        QCOMPARE(&ferlan::picture(QStringLiteral("Anfang")), anfang);
        QCOMPARE(ferlan::pictureImage(QStringLiteral("Ende")), fromFile("Ende"));
    }

    void aWindowShownWithMemoryReadyDrawsIntoMemoryOfItsSize() {
        // Memory laid out for any other size would be thrown away at the first
        // frame: the window is measured only once it is laid out.
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* content = new QLabel(QStringLiteral("Inhalt"));
        content->setFixedSize(333, 222);
        layout->addWidget(content);
        ferlan::showWithMemoryReady(window);
        QCOMPARE(window.backingStore()->size(), window.size());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
};

QTEST_MAIN(AssetsTest)
#include "assets_test.moc"
