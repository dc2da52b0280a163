// The preview "Picture1": the whole level at full scale, painted from the
// model, and the place where elements are pressed, dragged and dropped.
#pragma once

#include <Editor/model/editor_model.h>
#include <Editor/model/level_check.h>

#include <QStringList>
#include <QWidget>

#include <functional>

class QDrag;
class QMimeData;

namespace ferlan::editor {

class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    PreviewWidget(EditorModel& model, QWidget* parent);

    // Runs a drag that has been set up; the real one blocks until the drop.
    // Tests put their own in, since no pointer moves in an offscreen test.
    using DragRunner = std::function<void(QDrag&)>;
    void setDragRunner(DragRunner runner) { dragRunner_ = std::move(runner); }

    static inline const QString kDragFormat = QStringLiteral("application/x-ferlan-element");

    // The ball's route from the last check, drawn over the level; an empty
    // route draws nothing.
    void setRoute(std::vector<RoutePoint> route, std::size_t exitPoint);
    const std::vector<RoutePoint>& route() const { return route_; }

    // The pictures the level shows: its floor, if it has one, and its pipes.
    QStringList picturesShown() const;

signals:
    void contextMenuRequested(const QPoint& globalPosition);
    void elementMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startDrag(const Image& element, QPointF grab);
    Hit hitAt(QPointF position) const;
    // Only the drag this preview started may move an element: the model's
    // grab belongs to it, not to a drag from another window.
    bool isOwnDrag(const QMimeData& mime) const;
    void paintRoute(QPainter& painter) const;

    EditorModel& model_;
    DragRunner dragRunner_;
    QByteArray dragToken_;
    std::vector<RoutePoint> route_;
    std::size_t exitPoint_ = 0;
};

}  // namespace ferlan::editor
