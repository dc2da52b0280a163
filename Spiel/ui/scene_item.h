// A named thing the game window paints outside the playing field: a menu
// label, the cover picture, a credits line. Not a widget: the window paints
// and hit-tests it in twips, so its position never suffers pixel rounding.
#pragma once

#include <QColor>
#include <QObject>
#include <QRectF>
#include <QString>

#include <utility>

namespace ferlan {

class SceneItem : public QObject {
    Q_OBJECT
public:
    enum class Kind { MenuLabel, LevelLabel, CreditsLine, Picture };

    // Menu labels at rest; black under the mouse.
    static inline const QColor kRestColour{64, 64, 64};
    static inline const QColor kHighlightColour{0, 0, 0};

    SceneItem(QObject* parent, const QString& name, Kind kind, QRectF twips, QString text = {})
        : QObject(parent), kind_(kind), rect_(twips), text_(std::move(text)) {
        setObjectName(name);
    }

    Kind kind() const { return kind_; }
    QRectF rect() const { return rect_; }
    void setRect(QRectF twips) { rect_ = twips; }
    QString text() const { return text_; }
    void setText(const QString& text) { text_ = text; }
    QColor colour() const { return colour_; }
    void setColour(QColor colour) { colour_ = colour; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    // For the level labels: label i stands for level i + 1.
    int index() const { return index_; }
    void setIndex(int index) { index_ = index; }

    bool contains(QPointF twips) const { return visible_ && rect_.contains(twips); }

private:
    Kind kind_;
    QRectF rect_;
    QString text_;
    QColor colour_ = kRestColour;
    bool visible_ = false;
    int index_ = -1;
};

}  // namespace ferlan
