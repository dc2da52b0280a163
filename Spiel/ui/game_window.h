// The game's one window, Form1: title screen, level list, credits roll and the
// playing field with its panel, all painted from twips into a widget that may
// be resized and keeps its proportions.
#pragma once

#include "alarm_lamp.h"
#include "cached_drawing.h"
#include "credits_roll.h"
#include "fixed_rate.h"
#include "progress_file.h"
#include "scene_item.h"

#include <Spiel/sim/field.h>
#include <Spiel/sim/game_shell.h>
#include <common/fonts.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

namespace ferlan {

class Prompts;

class GameWindow : public QWidget, private GameShell {
    Q_OBJECT
public:
    // The client area: 6735 x 8640 twips, 449 x 576 pixels.
    static constexpr double kWidth = kScaleWidth;
    static constexpr double kHeight = kWindowInnerHeight;
    // The tick's rate: the classic desktop timer rate for a 1 ms request.
    static constexpr int kTicksPerSecond = 64;

    // `prompts` answers message boxes and dialogs (the real ones when null).
    GameWindow(ProgressFile progress, Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~GameWindow() override;

    QSize sizeHint() const override;

    // The window's handlers, as the menu, the keys and the timers run them.
    void showLevelList();
    void loadLevelFile();
    // What "Level laden" does with the file chosen in its dialog.
    void playLevelFile(const QString& path);
    void startCredits();
    void quitGame();
    void backToTitle();
    void startLevel(int index);
    void stopCredits();
    // One step of play, of the credits roll, of the alarm lamp.
    void runTick();
    void advanceCredits();
    void blinkAlarmLamp();

    GameModel& model() { return model_; }
    const GameModel& model() const { return model_; }
    SceneItem* item(const QString& name) const;
    // The array holds pointers; cppcheck takes the element for an integer.
    // cppcheck-suppress CastIntegerToAddressAtReturn
    SceneItem* levelLabel(int index) const { return levels_[static_cast<std::size_t>(index)]; }
    const CreditsRoll& credits() const { return credits_; }
    const AlarmLamp& lamp() const { return lamp_; }
    // The short notice on the panel ("" when none).
    QString notice() const { return notice_; }
    // Whether the frame timer is armed: it runs only while something moves.
    bool animating() const { return frameTimer_.isActive(); }

    // The widget position of a point given in window twips, and back.
    QPointF toWidget(QPointF twips) const;
    QPointF toScene(QPointF widget) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What the tick asks of the window at the end of a won built-in level.
    void writeProgress(int levelNumber) override;
    void levelClick(int index) override;

    void createItems();
    SceneItem* itemAt(QPointF twips) const;
    void highlight(SceneItem* under);
    void setTitleVisible(bool visible);
    void setLevelVisible(int index, bool visible);
    void clickItem(SceneItem* item);
    void fieldKeyDown(int key);
    void fieldKeyUp(int key);
    void releaseAllKeys();
    void showNotice(const QString& text);
    void syncCreditLines();

    // The frame loop: runs whatever fell due and sleeps until the next event.
    void syncLoop();
    void onFrame();
    void scheduleNext(qint64 nowNs);
    void refreshIfChanged();
    // What the field and menus show, and what the panel shows: a change to
    // either repaints only its part of the window.
    QByteArray sceneSignature() const;
    QByteArray panelSignature() const;
    QRect panelInWidget() const;

    void paintScene(QPainter& painter, const QRect& dirty);
    // The window's background picture between two heights, in twips.
    void drawBackgroundBand(QPainter& painter, double top, double bottom);
    void paintField(QPainter& painter, const QRect& dirty);
    void paintPanel(QPainter& painter);
    QPointF snapToDevicePixels(QPointF widget) const;
    void drawPicture(QPainter& painter, const QString& name, QRectF twips, QRectF sourceTwips = {});
    void drawPixmap(QPainter& painter, const QPixmap& pixmap, QRectF twips,
                    QRectF sourceTwips = {});
    // The whole floor of the level drawn once at the window's scale, so a
    // frame in play copies it in one piece instead of tile by tile.
    const QPixmap& floorDrawing();
    // A caption on the field with its shadow, laid out once.
    const QPixmap& captionDrawing(std::size_t index, const QString& text, LabelFace face,
                                  QSizeF size);
    void drawLabel(QPainter& painter, const SceneItem& item);
    void updateTransform();

    GameModel model_;
    ProgressFile progress_;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts* prompts_;

    std::array<SceneItem*, 4> titleLabels_{};
    std::array<SceneItem*, kLevelLabelCount> levels_{};
    SceneItem* zurueck_ = nullptr;
    SceneItem* ueberdecken_ = nullptr;
    SceneItem* credits1_ = nullptr;
    SceneItem* credits2_ = nullptr;
    SceneItem* pressed_ = nullptr;
    bool pressedOnBackground_ = false;

    CreditsRoll credits_;
    AlarmLamp lamp_;
    double mouseX_ = 0;
    double mouseY_ = 0;

    QString notice_;
    qint64 noticeUntilNs_ = 0;

    QElapsedTimer clock_;
    QTimer frameTimer_;
    FixedRate tickRate_;
    FixedRate creditsRate_;
    FixedRate lampRate_;
    bool inTick_ = false;
    CachedDrawing floorDrawing_;
    std::array<CachedDrawing, 3> captionDrawings_;
    QByteArray lastSceneSignature_;
    QByteArray lastPanelSignature_;

    // Twips to widget pixels: uniform scale, centred.
    double scale_ = 1.0 / 15.0;
    QPointF offset_;
};

}  // namespace ferlan
