// The playing field and the panel as the session and its field have them: the
// floor, the pipes, the elements and the iron ball, the captions on the field,
// and on the panel the level number, the file mark, the polarity, the alarm
// lamp, the attempt's running time with the level's best time, and a short
// notice in the times' place. Only paints; the window decides when.
#pragma once

#include "alarm_lamp.h"

#include <Spiel/sim/best_times.h>
#include <Spiel/sim/session.h>
#include <common/fonts.h>

#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QPainter;

namespace ferlan {

class SceneView;

class FieldView {
public:
    FieldView(const Session& session, const BestTimes& bestTimes)
        : session_(session), model_(session.field()), bestTimes_(bestTimes) {}

    AlarmLamp& lamp() { return lamp_; }
    const AlarmLamp& lamp() const { return lamp_; }
    // The short notice on the panel ("" when none).
    const QString& notice() const { return notice_; }
    void setNotice(const QString& text) { notice_ = text; }

    // Where the field and the panel lie in the window, in twips; empty while
    // hidden.
    QRectF fieldInWindow() const;
    QRectF panelInWindow() const;
    // The running time and the best time, as the panel writes them, and
    // where; the window redraws that box whenever the text changes.
    QString timesText() const;
    QRectF timesInWindow() const;
    // The captions the field shows now: "Level N" while the ball is in the
    // entry, then the end label, or the final message once the set is done.
    QStringList captionsShown() const;

    // `dirty` is the part of the widget being painted.
    void paintField(QPainter& painter, const SceneView& view, const QRectF& dirty);
    void paintPanel(QPainter& painter, const SceneView& view) const;

private:
    // By caption: the level's, the end label, the final message.
    using Captions = std::array<std::optional<QString>, 3>;
    Captions captions() const;
    // A drawing made once and kept while what it shows stays the same.
    struct Drawing {
        QString text;
        int rows = -1;
        std::uint8_t texture = 0;
        double height = 0;
        double scale = 0;
        double dpr = 0;
        QPixmap pixmap;
    };
    // The whole floor of the level drawn once at the window's scale, so a
    // frame copies it in one piece instead of tile by tile.
    const QPixmap& floorDrawing(const SceneView& view);
    // A caption on the field with its shadow, laid out once.
    const QPixmap& captionDrawing(std::size_t index, const QString& text, LabelFace face,
                                  QSizeF size, const SceneView& view);
    // A paused level: the field dimmed under a plain notice.
    void paintPause(QPainter& painter, const SceneView& view) const;
    // The palette picture an element carries.
    const QPixmap& elementPicture(Picture picture);

    const Session& session_;
    const GameModel& model_;
    const BestTimes& bestTimes_;
    AlarmLamp lamp_;
    QString notice_;
    Drawing floor_;
    std::array<Drawing, 3> captions_;
    std::array<const QPixmap*, static_cast<std::size_t>(Picture::an) + 1> pictures_{};
};

}  // namespace ferlan
