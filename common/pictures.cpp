#include "pictures.h"

#include <assets/asset_paths.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QTimer>
#include <QWindow>
#include <QtDebug>

#include <map>
#include <utility>

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

const QImage& cachedImage(const QString& path) {
    std::map<QString, QImage>& cache = imageCache();
    auto found = cache.find(path);
    if (found == cache.end()) {
        // Every picture is a PNG: naming the format spares the reader from
        // loading each image plugin of the system to ask whether it knows
        // the file, which would cost a start-up several libraries.
        QImageReader reader(path, "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.isNull()) {
            qWarning("ferlan: no picture %s", qPrintable(path));
        }
        found = cache.emplace(path, image).first;
    }
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
