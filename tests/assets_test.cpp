// The pictures as the programs load them from the compiled-in resources: every
// one exists at its size, and the geometry that the game's boxes and crops
// rest on (pole rods, polariser pipe, pipe joints, floor tiling) holds.

#include <common/fonts.h>
#include <common/pictures.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

struct SizedPicture {
    const char* name;
    int width;
    int height;
};

// Every picture the two programs ask for, with its size in pixels.
const SizedPicture kPictures[] = {
    {"grp", 64, 64},
    {"grm", 64, 64},
    {"gru", 64, 64},
    {"glp", 64, 64},
    {"glm", 64, 64},
    {"glu", 64, 64},
    {"krp", 48, 48},
    {"krm", 48, 48},
    {"kru", 48, 48},
    {"klp", 48, 48},
    {"klm", 48, 48},
    {"klu", 48, 48},
    {"p", 32, 32},
    {"m", 32, 32},
    {"u", 32, 32},
    {"Eisenkugel", 32, 32},
    {"ap", 64, 64},
    {"am", 64, 64},
    {"an", 64, 64},
    {"Boden1", 64, 64},
    {"Boden2", 64, 64},
    {"Boden3", 64, 64},
    {"Boden4", 64, 64},
    {"Anfang", 64, 64},
    {"Ende", 64, 64},
    {"Verbindung", 64, 64},
    {"Hintergrund", 449, 576},
    {"Überdecken", 273, 265},
    {"Anzeigetafel", 449, 41},
    {"Plusanzeige", 32, 32},
    {"Minusanzeige", 32, 32},
    {"Neutralanzeige", 32, 32},
    {"Geladen", 32, 32},
    {"Alarmgrün", 32, 32},
    {"Alarm1", 32, 32},
    {"Alarm2", 32, 32},
    {"icon_ferlan_16", 16, 16},
    {"icon_ferlan_32", 32, 32},
    {"icon_ferlan_48", 48, 48},
    {"icon_ferlan_256", 256, 256},
    {"icon_editor_16", 16, 16},
    {"icon_editor_48", 48, 48},
    {"icon_editor_256", 256, 256},
};

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

int channelDistance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// The colour step between neighbouring columns (or rows) inside the picture,
// averaged down each pair, and the same step across the wrap-around edge.
struct EdgeSteps {
    double largestInner = 0;
    double wrap = 0;
};

EdgeSteps stepsAcross(const QImage& image, bool columns) {
    const int n = columns ? image.width() : image.height();
    const int m = columns ? image.height() : image.width();
    auto at = [&](int i, int j) { return columns ? image.pixel(i, j) : image.pixel(j, i); };
    auto meanStep = [&](int i, int k) {
        double sum = 0;
        for (int j = 0; j < m; ++j) {
            sum += channelDistance(at(i, j), at(k, j));
        }
        return sum / m;
    };
    EdgeSteps steps;
    for (int i = 0; i + 1 < n; ++i) {
        steps.largestInner = std::max(steps.largestInner, meanStep(i, i + 1));
    }
    steps.wrap = meanStep(n - 1, 0);
    return steps;
}

}  // namespace

class AssetsTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureLoadsAtItsSize();
    void bothSpellingsOfANameGiveTheSamePicture();
    void unknownNameGivesANullPicture();
    void referencesStayValidAsMorePicturesLoad();
    void polesAreOpaqueExactlyInTheirRod();
    void polarisersAreOpaqueExactlyInTheirPipe();
    void floorTexturesTileWithoutSeams();
    void pipePiecesJoinWithoutSeams();
    void lampsDifferOnlyInsideTheirLens();
    void elementPicturesAreAllDifferent();
    void labelFontsFallBackToInstalledScriptFaces();
};

void AssetsTest::everyPictureLoadsAtItsSize() {
    for (const SizedPicture& expected : kPictures) {
        const QImage image = ferlan::pictureImage(QString::fromUtf8(expected.name));
        QVERIFY2(!image.isNull(), expected.name);
        QCOMPARE(image.size(), QSize(expected.width, expected.height));
        QCOMPARE(ferlan::picture(QString::fromUtf8(expected.name)).size(), image.size());
    }
}

void AssetsTest::bothSpellingsOfANameGiveTheSamePicture() {
    const struct {
        const char* spoken;
        const char* file;
    } pairs[] = {
        {"Alarmgrün", "Alarmgruen"},
        {"Überdecken", "Ueberdecken"},
        {"Boden2", "Boden2.png"},
    };
    for (const auto& pair : pairs) {
        const QPixmap& a = ferlan::picture(QString::fromUtf8(pair.spoken));
        const QPixmap& b = ferlan::picture(QString::fromUtf8(pair.file));
        QVERIFY2(!a.isNull(), pair.spoken);
        // One cached pixmap: the windows compare pictures by identity.
        QCOMPARE(&a, &b);
        QCOMPARE(a.cacheKey(), b.cacheKey());
    }
    QCOMPARE(&ferlan::picture(QStringLiteral("grp")), &ferlan::picture(QStringLiteral("grp")));
}

void AssetsTest::unknownNameGivesANullPicture() {
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no picture")));
    QVERIFY(ferlan::picture(QStringLiteral("gxx")).isNull());
    QVERIFY(ferlan::pictureImage(QStringLiteral("gxx")).isNull());
}

void AssetsTest::referencesStayValidAsMorePicturesLoad() {
    const QPixmap& first = ferlan::picture(QStringLiteral("Eisenkugel"));
    const qint64 key = first.cacheKey();
    // Many new entries make any hash table grow and move what it holds.
    for (int i = 0; i < 300; ++i) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no picture")));
        ferlan::picture(QStringLiteral("missing_%1").arg(i));
    }
    QCOMPARE(&ferlan::picture(QStringLiteral("Eisenkugel")), &first);
    QCOMPARE(first.cacheKey(), key);
    QCOMPARE(first.size(), QSize(32, 32));
}

void AssetsTest::polesAreOpaqueExactlyInTheirRod() {
    // The game crops large poles to 360 twips (24 rows) and small ones to 240
    // (16 rows), and its boxes assume the rod fills the top rows.
    const struct {
        const char* name;
        int rodWidth;
        int rodHeight;
    } poles[] = {
        {"grp", 64, 19}, {"grm", 64, 19}, {"gru", 64, 19}, {"glp", 64, 19},
        {"glm", 64, 19}, {"glu", 64, 19}, {"krp", 48, 11}, {"krm", 48, 11},
        {"kru", 48, 11}, {"klp", 48, 11}, {"klm", 48, 11}, {"klu", 48, 11},
    };
    for (const auto& pole : poles) {
        const QImage image = ferlan::pictureImage(QString::fromLatin1(pole.name))
                                 .convertToFormat(QImage::Format_ARGB32);
        const QString fault = checkOpaqueBlock(image, pole.rodWidth, pole.rodHeight);
        QVERIFY2(fault.isEmpty(),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(pole.name), fault)));
    }
}

void AssetsTest::polarisersAreOpaqueExactlyInTheirPipe() {
    for (const char* name : {"ap", "am", "an"}) {
        const QImage image =
            ferlan::pictureImage(QString::fromLatin1(name)).convertToFormat(QImage::Format_ARGB32);
        const QString fault = checkOpaqueBlock(image, 38, 64);
        QVERIFY2(fault.isEmpty(),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), fault)));
    }
}

void AssetsTest::floorTexturesTileWithoutSeams() {
    for (const char* name : {"Boden1", "Boden2", "Boden3", "Boden4"}) {
        const QImage image =
            ferlan::pictureImage(QString::fromLatin1(name)).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QCOMPARE(qAlpha(image.pixel(x, y)), 255);
            }
        }
        for (bool columns : {true, false}) {
            const EdgeSteps steps = stepsAcross(image, columns);
            // A seam shows as a jump across the edge larger than any step
            // between two neighbouring lines inside the texture.
            QVERIFY2(steps.wrap <= steps.largestInner * 1.1 + 2.0,
                     qPrintable(QStringLiteral("%1 %2: edge step %3, largest inner step %4")
                                    .arg(QLatin1String(name), columns ? QStringLiteral("columns")
                                                                      : QStringLiteral("rows"))
                                    .arg(steps.wrap)
                                    .arg(steps.largestInner)));
        }
    }
}

void AssetsTest::pipePiecesJoinWithoutSeams() {
    const QImage straight =
        ferlan::pictureImage(QStringLiteral("Verbindung")).convertToFormat(QImage::Format_ARGB32);
    const QImage entry =
        ferlan::pictureImage(QStringLiteral("Anfang")).convertToFormat(QImage::Format_ARGB32);
    const QImage exit =
        ferlan::pictureImage(QStringLiteral("Ende")).convertToFormat(QImage::Format_ARGB32);
    // Pairs of columns that lie side by side in the field: Verbindung left of
    // Verbindung and left of Ende (top row), Anfang left of Verbindung (bottom).
    const struct {
        const char* what;
        const QImage* left;
        const QImage* right;
    } joints[] = {
        {"Verbindung|Verbindung", &straight, &straight},
        {"Verbindung|Ende", &straight, &exit},
        {"Anfang|Verbindung", &entry, &straight},
    };
    int pipeRows = 0;
    for (const auto& joint : joints) {
        for (int y = 0; y < 64; ++y) {
            const QRgb a = joint.left->pixel(63, y);
            const QRgb b = joint.right->pixel(0, y);
            QVERIFY2(std::abs(qAlpha(a) - qAlpha(b)) <= 24,
                     qPrintable(QStringLiteral("%1: coverage differs in row %2")
                                    .arg(QLatin1String(joint.what))
                                    .arg(y)));
            if (qAlpha(a) == 255 && qAlpha(b) == 255) {
                ++pipeRows;
                QVERIFY2(channelDistance(a, b) <= 36,
                         qPrintable(QStringLiteral("%1: colour jumps in row %2")
                                        .arg(QLatin1String(joint.what))
                                        .arg(y)));
            }
        }
    }
    // The pipe really crosses every joint: about 40 rows at each of three.
    QVERIFY(pipeRows >= 3 * 36);
    // The openings: Anfang opens at its top edge and is closed at the bottom,
    // Ende the other way round.
    QCOMPARE(qAlpha(entry.pixel(32, 0)), 255);
    QCOMPARE(qAlpha(entry.pixel(32, 63)), 0);
    QCOMPARE(qAlpha(exit.pixel(32, 63)), 255);
    QCOMPARE(qAlpha(exit.pixel(32, 0)), 0);
}

void AssetsTest::lampsDifferOnlyInsideTheirLens() {
    // The lamp is drawn onto the panel again and again without clearing it,
    // so everything outside the lens must be the same in all three pictures.
    const QImage green =
        ferlan::pictureImage(QStringLiteral("Alarmgrün")).convertToFormat(QImage::Format_ARGB32);
    const QImage on =
        ferlan::pictureImage(QStringLiteral("Alarm1")).convertToFormat(QImage::Format_ARGB32);
    const QImage off =
        ferlan::pictureImage(QStringLiteral("Alarm2")).convertToFormat(QImage::Format_ARGB32);
    int lensPixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double dx = x + 0.5 - 16.0;
            const double dy = y + 0.5 - 16.0;
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

void AssetsTest::elementPicturesAreAllDifferent() {
    const char* names[] = {"grp",
                           "grm",
                           "gru",
                           "glp",
                           "glm",
                           "glu",
                           "krp",
                           "krm",
                           "kru",
                           "klp",
                           "klm",
                           "klu",
                           "p",
                           "m",
                           "u",
                           "Eisenkugel",
                           "ap",
                           "am",
                           "an",
                           "Plusanzeige",
                           "Minusanzeige",
                           "Neutralanzeige"};
    const int count = static_cast<int>(std::size(names));
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const char* a = names[i];
            const char* b = names[j];
            const QImage first = ferlan::pictureImage(QString::fromLatin1(a));
            const QImage second = ferlan::pictureImage(QString::fromLatin1(b));
            if (first.size() == second.size()) {
                QVERIFY2(first != second, qPrintable(QStringLiteral("%1 looks like %2")
                                                         .arg(QLatin1String(a), QLatin1String(b))));
            }
        }
    }
}

void AssetsTest::labelFontsFallBackToInstalledScriptFaces() {
    using ferlan::LabelFace;
    const QStringList menu = ferlan::labelFamilies(LabelFace::OneStrokeScript);
    const QStringList odessa = ferlan::labelFamilies(LabelFace::Odessa);
    QCOMPARE(menu.first(), QStringLiteral("One Stroke Script LET"));
    QCOMPARE(odessa.first(), QStringLiteral("Odessa LET"));
    QCOMPARE(menu.last(), QStringLiteral("cursive"));
    QCOMPARE(odessa.last(), QStringLiteral("cursive"));
    QCOMPARE(ferlan::menuFont().families(), menu);
    QCOMPARE(ferlan::odessaFont().pixelSize(), ferlan::kLabelPixelSize);

    const QStringList installed = QFontDatabase::families();
    if (!installed.contains(QStringLiteral("Kaushan Script")) ||
        !installed.contains(QStringLiteral("Dancing Script"))) {
        QSKIP("the script fonts of scripts/setup.sh are not installed");
    }
    if (!installed.contains(menu.first())) {
        QCOMPARE(QFontInfo(ferlan::menuFont()).family(), menu.at(1));
    }
    if (!installed.contains(odessa.first())) {
        QCOMPARE(QFontInfo(ferlan::odessaFont()).family(), odessa.at(1));
    }
}

QTEST_MAIN(AssetsTest)
#include "assets_test.moc"
