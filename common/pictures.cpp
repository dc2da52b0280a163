#include "pictures.h"

#include <assets/asset_paths.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QTimer>
#include <QWindow>
#include <QtDebug>

#include <future>
#include <map>
#include <utility>
#include <vector>

namespace ferlan {
namespace {

// Keyed by resource path, so both spellings of a name share one entry. A
// node-based map keeps every entry where it is as others are added, which
// the references handed out rely on.
std::map<QString, QImage>& imageCache() {
    static std::map<QString, QImage> cache;
    return cache;
}

std::map<QString, QPixmap>& pixmapCache() {
    static std::map<QString, QPixmap> cache;
    static const bool releasedWithApplication = [] {
        // Pixmaps belong to the window system: let them go with the
        // application, not after it during static destruction.
        qAddPostRoutine([] { pixmapCache().clear(); });
        return true;
    }();
    Q_UNUSED(releasedWithApplication);
    return cache;
}

QImage readPicture(const QString& path) {
    // Every picture is a PNG: naming the format spares the reader from
    // loading each image plugin of the system to ask whether it knows the
    // file, which would cost a start-up several libraries.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull()) qWarning("ferlan: no picture %s", qPrintable(path));
    return image;
}

using DecodedPictures = std::vector<std::pair<QString, QImage>>;

// The pictures decodeAhead() is reading on another thread. Only the GUI
// thread touches the future itself.
std::future<DecodedPictures>& picturesAhead() {
    static std::future<DecodedPictures> ahead;
    static const bool finishedWithApplication = [] {
        // The thread reads the application's resources: done before the
        // application goes, not during static destruction.
        qAddPostRoutine([] {
            if (picturesAhead().valid()) picturesAhead().wait();
        });
        return true;
    }();
    Q_UNUSED(finishedWithApplication);
    return ahead;
}

// Waits for the pictures read ahead, if any, and adds them to the cache.
void takePicturesAhead(std::map<QString, QImage>& cache) {
    std::future<DecodedPictures>& ahead = picturesAhead();
    if (!ahead.valid()) return;
    for (auto& [path, image] : ahead.get()) cache.emplace(path, std::move(image));
}

const QImage& cachedImage(const QString& path) {
    std::map<QString, QImage>& cache = imageCache();
    takePicturesAhead(cache);
    auto found = cache.find(path);
    if (found == cache.end()) found = cache.emplace(path, readPicture(path)).first;
    return found->second;
}

// Waits for a window's first expose. The expose paints the window before
// anything posted meanwhile runs, so the icon comes after the first frame.
class IconAfterExpose : public QObject {
public:
    IconAfterExpose(QWindow* window, QString program)
        : QObject(window), window_(window), program_(std::move(program)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Expose && window_->isExposed()) {
            QTimer::singleShot(0, qApp, [program = program_] {
                QGuiApplication::setWindowIcon(programIcon(program));
            });
            window_->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QWindow* window_;
    QString program_;
};

}  // namespace

const QPixmap& picture(const QString& name) {
    const QString path = assetPath(name);
    std::map<QString, QPixmap>& cache = pixmapCache();
    auto found = cache.find(path);
    if (found == cache.end()) {
        found = cache.emplace(path, QPixmap::fromImage(cachedImage(path))).first;
    }
    return found->second;
}

QImage pictureImage(const QString& name) { return cachedImage(assetPath(name)); }

void decodeAhead(const QStringList& names) {
    std::map<QString, QImage>& cache = imageCache();
    takePicturesAhead(cache);
    QStringList paths;
    for (const QString& name : names) {
        QString path = assetPath(name);
        if (!cache.contains(path)) paths << std::move(path);
    }
    if (paths.isEmpty()) return;
    picturesAhead() = std::async(std::launch::async, [paths] {
        DecodedPictures decoded;
        for (const QString& path : paths) decoded.emplace_back(path, readPicture(path));
        return decoded;
    });
}

QString floorPicture(int texture) { return QStringLiteral("Boden%1").arg(texture); }

QIcon programIcon(const QString& program) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(assetPath(QStringLiteral("icon_%1_%2").arg(program).arg(size)),
                     QSize(size, size));
    }
    return icon;
}

void setProgramIconAfterFirstFrame(QWindow* window, const QString& program) {
    if (window == nullptr) {
        QGuiApplication::setWindowIcon(programIcon(program));
        return;
    }
    new IconAfterExpose(window, program);
}

}  // namespace ferlan
