// The preview "Picture1": the whole level at full scale, painted from the
// model, and the place where elements are pressed, dragged and dropped.
#pragma once

#include <Editor/model/editor_model.h>

#include <QWidget>

#include <functional>

class QDrag;

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

signals:
    void contextMenuRequested(const QPoint& globalPosition);
    void levelChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startDrag(const Image& element, QPointF grab);
    Hit tileUnder(QPointF position) const;

    EditorModel& model_;
    DragRunner dragRunner_;
};

}  // namespace ferlan::editor
