#include "preview_widget.h"

#include <common/pictures.h>
#include <common/twips.h>
#include <common/utf8_text.h>

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUuid>

namespace ferlan::editor {
namespace {

void paintDiscs(QPainter& painter, const SlotArray& array) {
    for (const Element& e : array) {
        for (std::size_t d = 0; d < e.discs.size(); ++d) {
            const Disc disc = e.disc(d);
            if (!disc.Visible) continue;
            const Colour c = disc.BackColour;
            painter.setBrush(QColor(colourRed(c), colourGreen(c), colourBlue(c)));
            painter.drawEllipse(toPixels(disc.Left, disc.Top, disc.Width, disc.Height));
        }
    }
}

// An image shows its picture at natural size from the top left corner and
// crops it to its own width and height.
void paintImage(QPainter& painter, const QString& name, Twips left, Twips top, Twips width,
                Twips height) {
    const QPixmap pixmap = picture(name);
    if (pixmap.isNull()) return;
    const qreal ratio = pixmap.devicePixelRatio();
    const QRectF target = toPixels(left, top, width, height);
    const QSizeF natural = pixmap.deviceIndependentSize();
    const QRectF visible(target.topLeft(), QSizeF(qMin(target.width(), natural.width()),
                                                  qMin(target.height(), natural.height())));
    painter.drawPixmap(visible, pixmap,
                       QRectF(0, 0, visible.width() * ratio, visible.height() * ratio));
}

void paintSlot(QPainter& painter, const Image& slot) {
    if (!slot.Visible || slot.picture == Picture::None) return;
    const std::string_view name = pictureName(slot.picture);
    paintImage(painter, QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
               slot.Left, slot.Top, slot.Width, slot.Height);
}

// The route's colours: the ball's polarity as the discs show it, grey for none.
QColor routeColour(Polarity polarity) {
    if (polarity == Polarity::Neutral) return QColor(128, 128, 128);
    const Colour c = (polarity == Polarity::Plus ? kPlusDiscColours : kMinusDiscColours)[2];
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}

}  // namespace

PreviewWidget::PreviewWidget(EditorModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("Picture1"));
    setAcceptDrops(true);
    setAutoFillBackground(true);
    dragRunner_ = [](QDrag& drag) { drag.exec(Qt::MoveAction); };
}

void PreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // From the bottom up: floor, ball discs, pipes, pole discs, pole blocks,
    // charged balls, polarisers.
    const LevelDocument& level = model_.document();
    if (level.floor() != 0) {
        const QString floor = floorPicture(level.floor());
        for (int tile = 0; tile < kTileCount; ++tile) {
            paintImage(painter, floor, LevelDocument::tileLeft(tile), LevelDocument::tileTop(tile),
                       kTileSize, kTileSize);
        }
    }
    paintDiscs(painter, level.slotsOf(ElementKind::Kugel));
    for (const PipePiece& pipe : level.pipes()) {
        paintImage(painter, fromView(pipe.picture), pipe.left, pipe.top, kPipeSize, kPipeSize);
    }
    paintDiscs(painter, level.slotsOf(ElementKind::Ferlan));
    for (const SlotArray& array : level.level().arrays) {
        for (const Element& e : array) paintSlot(painter, e.image);
    }
    paintRoute(painter);
}

QStringList PreviewWidget::picturesShown() const {
    const LevelDocument& level = model_.document();
    QStringList names;
    if (level.floor() != 0) names << floorPicture(level.floor());
    for (const PipePiece& pipe : level.pipes()) {
        names << fromView(pipe.picture);
    }
    names.removeDuplicates();
    return names;
}

void PreviewWidget::setRoute(std::vector<RoutePoint> route, std::size_t exitPoint) {
    route_ = std::move(route);
    exitPoint_ = exitPoint;
    update();
}

void PreviewWidget::paintRoute(QPainter& painter) const {
    if (route_.empty()) return;
    QPolygonF line;
    for (const RoutePoint& point : route_) line << QPointF(toPixels(point.x), toPixels(point.y));
    // A dark edge keeps the line in sight over discs of its own colour.
    painter.setPen(QPen(QColor(0, 0, 0, 150), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
    QPen pen(Qt::gray, 2, Qt::SolidLine, Qt::RoundCap);
    for (qsizetype i = 1; i < line.size(); ++i) {
        pen.setColor(routeColour(route_[static_cast<std::size_t>(i)].polarity));
        painter.setPen(pen);
        painter.drawLine(line[i - 1], line[i]);
    }
    const RoutePoint& exit = route_[std::min(exitPoint_, route_.size() - 1)];
    const QPointF centre = QPointF(toPixels(exit.x), toPixels(exit.y));
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 8, 8);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawEllipse(centre, 10, 10);
    painter.setPen(Qt::NoPen);
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
    const Hit hit = hitAt(event->position());
    if (hit.target != Hit::Target::Element) return;
    const QPointF at = toTwips(event->position());
    const Image& element = model_.document().slot(hit.kind, hit.index);
    const QPointF grab(at.x() - element.Left, at.y() - element.Top);
    if (event->button() == Qt::LeftButton) {
        model_.grab(hit.kind, hit.index, static_cast<Twips>(grab.x()),
                    static_cast<Twips>(grab.y()));
        startDrag(element, grab);
    } else if (event->button() == Qt::RightButton) {
        model_.select(hit.kind, hit.index);
        emit contextMenuRequested(event->globalPosition().toPoint());
    }
}

void PreviewWidget::startDrag(const Image& element, QPointF grab) {
    // The feedback is the element's outline, at the element's size.
    const QSizeF size(toPixels(element.Width), toPixels(element.Height));
    const qreal ratio = devicePixelRatioF();
    QPixmap outline((size * ratio).toSize().expandedTo(QSize(2, 2)));
    outline.setDevicePixelRatio(ratio);
    outline.fill(Qt::transparent);
    {
        QPainter painter(&outline);
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawRect(QRectF(QPointF(0.5, 0.5), size - QSizeF(1, 1)));
    }
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    dragToken_ = QUuid::createUuid().toByteArray();
    mime->setData(kDragFormat, dragToken_);
    drag->setMimeData(mime);
    drag->setPixmap(outline);
    drag->setHotSpot(QPointF(toPixels(grab.x()), toPixels(grab.y())).toPoint());
    // Qt disposes of the drag once it has run.
    dragRunner_(*drag);
}

Hit PreviewWidget::hitAt(QPointF position) const {
    const QPointF at = toTwips(position);
    return model_.document().hitTest(static_cast<Twips>(at.x()), static_cast<Twips>(at.y()));
}

bool PreviewWidget::isOwnDrag(const QMimeData& mime) const {
    return !dragToken_.isEmpty() && mime.hasFormat(kDragFormat) &&
           mime.data(kDragFormat) == dragToken_;
}

void PreviewWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (isOwnDrag(*event->mimeData())) event->acceptProposedAction();
}

void PreviewWidget::dragMoveEvent(QDragMoveEvent* event) {
    // Only a floor tile takes the element; anywhere else the pointer says no.
    if (isOwnDrag(*event->mimeData()) && hitAt(event->position()).target == Hit::Target::Tile) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PreviewWidget::dropEvent(QDropEvent* event) {
    const Hit hit = hitAt(event->position());
    if (!isOwnDrag(*event->mimeData()) || hit.target != Hit::Target::Tile) {
        event->ignore();
        return;
    }
    const QPointF at = toTwips(event->position());
    const Twips x = static_cast<Twips>(at.x()) - LevelDocument::tileLeft(hit.index);
    const Twips y = static_cast<Twips>(at.y()) - LevelDocument::tileTop(hit.index);
    if (model_.dropOnTile(hit.index, x, y)) {
        event->acceptProposedAction();
        update();
        emit elementMoved();
    } else {
        event->ignore();
    }
}

}  // namespace ferlan::editor
