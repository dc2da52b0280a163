// make-assets: draws every picture of the game and the editor and writes them
// as PNG files into assets/, plus a contact sheet into docs/.
//
//   make-assets [--check] [--mockups DIR] [ROOT]
//
// ROOT is the repository (default: the source tree this program was built
// from). With --check nothing is written: the program only reports the files
// whose content would change, and fails if there are any. --mockups also
// writes the game's screens with their labels into DIR, for review.

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

// Writes only changed files so an unchanged rerun leaves the tree untouched.
bool storeIfChanged(const QString& path, const QByteArray& bytes, bool checkOnly, int& changed) {
    if (readAll(path) == bytes) {
        return true;
    }
    ++changed;
    if (checkOnly) {
        std::printf("differs: %s\n", qPrintable(path));
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

    bool checkOnly = false;
    QString mockupDir;
    QString root = QStringLiteral(FERLAN_SOURCE_DIR);
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--check")) {
            checkOnly = true;
        } else if (arg == QLatin1String("--mockups") && i + 1 < args.size()) {
            mockupDir = args[++i];
        } else if (arg.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "usage: make-assets [--check] [--mockups DIR] [ROOT]\n");
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
        ok = storeIfChanged(dir.filePath(QStringLiteral("assets/") + picture.file),
                            encodePng(picture.image), checkOnly, changed) &&
             ok;
    }
    ok = storeIfChanged(dir.filePath(QStringLiteral("docs/contact_sheet.png")),
                        encodePng(drawContactSheet(pictures)), checkOnly, changed) &&
         ok;
    if (!mockupDir.isEmpty()) {
        QDir().mkpath(mockupDir);
        int written = 0;
        for (const Picture& mockup : drawMockups(pictures)) {
            ok = storeIfChanged(QDir(mockupDir).filePath(mockup.file), encodePng(mockup.image),
                                false, written) &&
                 ok;
        }
    }
    if (!ok) {
        return 1;
    }
    std::printf("%zu pictures, %d %s\n", pictures.size(), changed,
                checkOnly ? "differ from the files" : "files written");
    return checkOnly && changed > 0 ? 1 : 0;
}
