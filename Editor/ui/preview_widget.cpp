#include "preview_widget.h"

#include <common/pictures.h>
#include <common/twips.h>

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace ferlan::editor {
namespace {

void paintDisc(QPainter& painter, const Disc& disc) {
    if (!disc.Visible) return;
    const Colour c = disc.BackColour;
    painter.setBrush(QColor(colourRed(c), colourGreen(c), colourBlue(c)));
    painter.drawEllipse(toPixels(disc.Left, disc.Top, disc.Width, disc.Height));
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

int mouseButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return kMouseLeft;
        case Qt::RightButton: return kMouseRight;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
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
    if (model_.floor() != 0) {
        const QString floor = QStringLiteral("Boden%1").arg(model_.floor());
        for (int tile = 0; tile < kTileCount; ++tile) {
            paintImage(painter, floor, EditorModel::tileLeft(tile), EditorModel::tileTop(tile),
                       kTileSize, kTileSize);
        }
    }
    for (int i = 1; i <= 3 * kMaxKugel; ++i) paintDisc(painter, model_.anziehung2(i));
    for (const PipePiece& pipe : model_.pipes()) {
        const QString name =
            QString::fromUtf8(pipe.picture.data(), static_cast<qsizetype>(pipe.picture.size()));
        paintImage(painter, name, pipe.left, pipe.top, kPipeSize, kPipeSize);
    }
    for (int i = 1; i <= 3 * kMaxFerlan; ++i) paintDisc(painter, model_.anziehung(i));
    for (int n = 1; n <= kMaxFerlan; ++n) paintSlot(painter, model_.ferlan(n));
    for (int n = 1; n <= kMaxKugel; ++n) paintSlot(painter, model_.kugel(n));
    for (int n = 1; n <= kMaxTransformator; ++n) paintSlot(painter, model_.transformator(n));
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF at = toTwips(event->position());
    const Hit hit = model_.hitTest(static_cast<Twips>(at.x()), static_cast<Twips>(at.y()));
    if (hit.target != Hit::Target::Element) return;
    const Image& element = model_.slot(hit.kind, hit.index);
    const QPointF grab(at.x() - element.Left, at.y() - element.Top);
    const int button = mouseButtonCode(event->button());
    model_.pressElement(hit.kind, hit.index, button, static_cast<Twips>(grab.x()),
                        static_cast<Twips>(grab.y()));
    if (button == kMouseLeft) startDrag(element, grab);
    if (button == kMouseRight) emit contextMenuRequested(event->globalPosition().toPoint());
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
    mime->setData(kDragFormat, QByteArray());
    drag->setMimeData(mime);
    drag->setPixmap(outline);
    drag->setHotSpot(QPointF(toPixels(grab.x()), toPixels(grab.y())).toPoint());
    // Qt disposes of the drag once it has run.
    dragRunner_(*drag);
}

Hit PreviewWidget::tileUnder(QPointF position) const {
    const QPointF at = toTwips(position);
    return model_.hitTest(static_cast<Twips>(at.x()), static_cast<Twips>(at.y()));
}

void PreviewWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(kDragFormat)) event->acceptProposedAction();
}

void PreviewWidget::dragMoveEvent(QDragMoveEvent* event) {
    // Only a floor tile takes the element; anywhere else the pointer says no.
    if (event->mimeData()->hasFormat(kDragFormat) &&
        tileUnder(event->position()).target == Hit::Target::Tile) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PreviewWidget::dropEvent(QDropEvent* event) {
    const Hit hit = tileUnder(event->position());
    if (!event->mimeData()->hasFormat(kDragFormat) || hit.target != Hit::Target::Tile) {
        event->ignore();
        return;
    }
    const QPointF at = toTwips(event->position());
    const Twips x = static_cast<Twips>(at.x()) - EditorModel::tileLeft(hit.index);
    const Twips y = static_cast<Twips>(at.y()) - EditorModel::tileTop(hit.index);
    if (model_.dropOnTile(hit.index, x, y)) {
        event->acceptProposedAction();
        update();
        emit levelChanged();
    } else {
        event->ignore();
    }
}

}  // namespace ferlan::editor
