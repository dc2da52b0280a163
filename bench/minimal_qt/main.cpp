// The floor the game's playing CPU is measured against: a plain Qt window of
// the game's size that redraws itself whole 64 times a second, copying an
// opaque background and blending 60 translucent sprites that move a little
// every frame. Nothing is cached beyond what any simple game would keep.
#include "floor_size.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QRadialGradient>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cmath>

namespace {

constexpr int kSprites = 60;
constexpr int kSpriteSize = 32;

class Floor : public QWidget {
public:
    Floor() {
        setWindowTitle(QStringLiteral("Minimal"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(kFloorWidth, kFloorHeight);
        background_ = QPixmap(size());
        QPainter tiles(&background_);
        for (int y = 0; y < height(); y += 64) {
            for (int x = 0; x < width(); x += 64) {
                tiles.fillRect(x, y, 64, 64,
                               ((x + y) / 64) % 2 ? QColor(200, 205, 215) : QColor(180, 190, 200));
            }
        }
        QImage sprite(kSpriteSize, kSpriteSize, QImage::Format_ARGB32_Premultiplied);
        sprite.fill(Qt::transparent);
        QPainter paint(&sprite);
        paint.setRenderHint(QPainter::Antialiasing);
        QRadialGradient shade(kSpriteSize / 2.0, kSpriteSize / 2.0, kSpriteSize / 2.0);
        shade.setColorAt(0, QColor(255, 255, 255, 240));
        shade.setColorAt(1, QColor(60, 60, 160, 200));
        paint.setBrush(shade);
        paint.setPen(Qt::NoPen);
        paint.drawEllipse(0, 0, kSpriteSize, kSpriteSize);
        paint.end();
        sprite_ = QPixmap::fromImage(sprite);
        clock_.start();
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { update(); });
        timer_.start(1000 / 64);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(0, 0, background_);
        const double t = static_cast<double>(clock_.elapsed()) / 1000;
        for (int i = 0; i < kSprites; ++i) {
            const int column = i % 10;
            const int row = i / 10;
            const double x = column * 44.0 + 10 * std::sin(t + i);
            const double y = row * 90.0 + 20 * std::cos(t * 1.3 + i);
            painter.drawPixmap(QPointF(std::round(x), std::round(y)), sprite_);
        }
    }

private:
    QPixmap background_;
    QPixmap sprite_;
    QElapsedTimer clock_;
    QTimer timer_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Floor window;
    window.show();
    return app.exec();
}
