// The game's one window, Form1. Wires its parts together: the title screen
// with the level list, the credits roll, the field view with its panel and the
// frame clock. It turns mouse and keys into the handlers below, the handlers
// into operations of the simulation, and redraws what the simulation says
// changed. The widget may be resized; the scene keeps its proportions.
#pragma once

#include "best_times_file.h"
#include "credits_screen.h"
#include "field_view.h"
#include "frame_clock.h"
#include "progress_file.h"
#include "scene_item.h"
#include "scene_view.h"
#include "title_screen.h"

#include <Spiel/sim/session.h>

#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

namespace ferlan {

class Prompts;

class GameWindow : public QWidget, private ProgressStore {
    Q_OBJECT
public:
    static constexpr double kWidth = SceneView::kWidth;
    static constexpr double kHeight = SceneView::kHeight;

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
    void restartLevel();
    void leaveLevel();
    // P and the Pause key; losing the focus only pauses.
    void togglePause();
    void pauseLevel();
    // F11 on any screen; the scene keeps its proportions, with black bars.
    void toggleFullScreen();
    // One step of play, of the credits roll, of the alarm lamp.
    void runTick();
    void advanceCredits();
    void blinkAlarmLamp();

    GameModel& model() { return session_.field(); }
    const GameModel& model() const { return session_.field(); }
    Session& session() { return session_; }
    const Session& session() const { return session_; }
    SceneItem* item(const QString& name) const;
    SceneItem* levelLabel(int index) const { return title_.level(index); }
    const TitleScreen& titleScreen() const { return title_; }
    const CreditsRoll& credits() const { return credits_.roll(); }
    // MouseX: where the name line of the credits is drawn to, in window twips.
    double mouseX() const { return credits_.mouseX(); }
    const AlarmLamp& lamp() const { return field_.lamp(); }
    // The short notice on the panel ("" when none).
    QString notice() const { return field_.notice(); }
    // The running time and best time on the panel.
    QString panelTimes() const { return field_.timesText(); }
    QStringList captionsShown() const { return field_.captionsShown(); }
    const BestTimes& bestTimes() const { return bestTimes_; }
    // Whether the frame clock is armed: it runs only while something moves.
    bool animating() const { return clock_.armed(); }

    // The widget position of a point given in window twips, and back.
    QPointF toWidget(QPointF twips) const { return view_.toWidget(twips); }
    QPointF toScene(QPointF widget) const { return view_.toScene(widget); }

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
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // Tab moves the mark on the menu, not the focus.
    bool focusNextPrevChild(bool) override { return false; }

private:
    // Writes the progress file when the session records a win.
    void recordWin(int levelNumber, int highestShown) override;
    // Keeps a new best time and writes the times file; says so on the panel.
    void recordTime(int levelNumber, std::int64_t ticks) override;
    // Takes in the times file (another game may have written it) and writes
    // the times beside the level labels.
    void readBestTimes();
    void listBestTimes();

    SceneItem* itemAt(QPointF twips) const;
    // `byMouse`: the click may be the first of a double-click.
    void clickItem(SceneItem* item, bool byMouse = true);
    void fieldKeyDown(int key);
    // Keys on the title screen and the level list.
    void menuKeyDown(const QKeyEvent& event);
    // A screen of labels came back: the mark goes where the pointer is, or
    // on `fallback` while the pointer is over no label.
    void markAfterScreenChange(SceneItem* fallback);
    void fieldKeyUp(int key);
    void showNotice(const QString& text, qint64 forNs);
    // After a build: the lamp shows the new level's state at once.
    void levelBuilt(bool ok);

    void onFrame();
    // Asks for a repaint of what the model says changed since the last one,
    // then sets the clock to what runs now.
    void redrawChanges();
    void syncClock();
    QRect inWidget(const QRectF& twips) const { return view_.toWidget(twips).toAlignedRect(); }

    Session session_;
    ProgressFile progress_;
    BestTimesFile bestTimesFile_;
    BestTimes bestTimes_;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts* prompts_;

    SceneView view_;
    TitleScreen title_;
    CreditsScreen credits_;
    FieldView field_;
    FrameClock clock_;

    // The press that a release on the same item turns into a click.
    SceneItem* pressed_ = nullptr;
    bool pressedOnBackground_ = false;
    bool leftDown_ = false;
    // A click on "Level laden" opens its dialog once a double-click can no
    // longer follow, and not while the button is down: the rest of the
    // double-click would land in the dialog, under the pointer.
    QTimer loadDelay_;
    bool loadOnRelease_ = false;
    // Where the pointer was last seen over the window, in twips.
    std::optional<QPointF> pointer_;
    bool inTick_ = false;
    qint64 noticeUntilNs_ = 0;
    // What the last repaint showed.
    GameModel::Revision drawn_;
    QRect drawnField_;
    bool drawnPanel_ = false;
    QString drawnTimes_;
};

}  // namespace ferlan
