// make-assets: draws every picture of the game and the editor and writes them
// as PNG files into assets/, plus a contact sheet into docs/.
//
//   make-assets [--check] [--exact] [--mockups DIR] [ROOT]
//
// ROOT is the repository (default: the source tree this program was built
// from). A file counts as changed when its picture differs from today's
// drawing by more than rounding (see picture_compare.h), so a run on another
// processor leaves the tree alone; --exact counts any changed byte instead.
// With --check nothing is written: the program only reports the files that
// would change, and fails if there are any. --mockups also writes the game's
// screens with their labels into DIR, for review.

#include "picture_compare.h"
#include "pictures_drawn.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

QByteArray encodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG", 9);
    return bytes;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct StoreMode {
    bool checkOnly = false;
    bool exact = false;
};

// Empty when the stored file still holds this picture, else why not.
QString whyChanged(const QString& path, const QByteArray& stored, const QByteArray& drawn,
                   bool exact) {
    if (stored == drawn) {
        return {};
    }
    if (stored.isEmpty()) {
        return path + QStringLiteral(": missing or unreadable");
    }
    if (exact) {
        return path + QStringLiteral(": bytes differ");
    }
    using namespace ferlan::art;
    const PictureDifference difference =
        comparePictures(QImage::fromData(stored, "PNG"), QImage::fromData(drawn, "PNG"));
    return isWithin(difference, PictureTolerance{}) ? QString()
                                                    : describeDifference(path, difference);
}

// Writes only changed files so an unchanged rerun leaves the tree untouched.
bool storeIfChanged(const QString& path, const QImage& image, StoreMode mode, int& changed) {
    const QByteArray bytes = encodePng(image);
    const QString why = whyChanged(path, readAll(path), bytes, mode.exact);
    if (why.isEmpty()) {
        return true;
    }
    ++changed;
    if (mode.checkOnly) {
        std::printf("differs: %s\n", qPrintable(why));
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "make-assets: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("wrote %s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    StoreMode mode;
    QString mockupDir;
    QString root = QStringLiteral(FERLAN_SOURCE_DIR);
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--check")) {
            mode.checkOnly = true;
        } else if (arg == QLatin1String("--exact")) {
            mode.exact = true;
        } else if (arg == QLatin1String("--mockups") && i + 1 < args.size()) {
            mockupDir = args[++i];
        } else if (arg.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "usage: make-assets [--check] [--exact] [--mockups DIR] [ROOT]\n");
            return 2;
        } else {
            root = arg;
        }
    }

    using namespace ferlan::art;
    std::vector<Picture> pictures;
    for (auto* family : {&drawElementPictures, &drawFloorPictures, &drawPipePictures,
                         &drawWindowPictures, &drawIconPictures}) {
        for (Picture& picture : family()) {
            pictures.push_back(std::move(picture));
        }
    }

    const QDir dir(root);
    if (!dir.mkpath(QStringLiteral("assets")) || !dir.mkpath(QStringLiteral("docs"))) {
        std::fprintf(stderr, "make-assets: cannot create folders under %s\n", qPrintable(root));
        return 1;
    }
    int changed = 0;
    bool ok = true;
    for (const Picture& picture : pictures) {
        ok = storeIfChanged(dir.filePath(QStringLiteral("assets/") + picture.file), picture.image,
                            mode, changed) &&
             ok;
    }
    ok = storeIfChanged(dir.filePath(QStringLiteral("docs/contact_sheet.png")),
                        drawContactSheet(pictures), mode, changed) &&
         ok;
    if (!mockupDir.isEmpty()) {
        QDir().mkpath(mockupDir);
        int written = 0;
        for (const Picture& mockup : drawMockups(pictures)) {
            ok = storeIfChanged(QDir(mockupDir).filePath(mockup.file), mockup.image,
                                StoreMode{false, true}, written) &&
                 ok;
        }
    }
    if (!ok) {
        return 1;
    }
    std::printf("%zu pictures, %d %s\n", pictures.size(), changed,
                mode.checkOnly ? "differ from the files" : "files written");
    return mode.checkOnly && changed > 0 ? 1 : 0;
}
