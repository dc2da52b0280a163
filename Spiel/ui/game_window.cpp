#include "game_window.h"

#include <Spiel/sim/play.h>
#include <Spiel/sim/tick.h>
#include <common/level_file.h>
#include <common/prompts.h>
#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QStyleHints>

#include <cmath>
#include <cstdio>

namespace ferlan {

namespace {

using Beat = FrameClock::Beat;

constexpr qint64 kNoticeNs = 6'000'000'000;
constexpr qint64 kNewBestNs = 2'000'000'000;

// The client area at its design size, in logical pixels.
QSize designSize() {
    return {static_cast<int>(std::lround(GameWindow::kWidth / 15)),
            static_cast<int>(std::lround(GameWindow::kHeight / 15))};
}

}  // namespace

GameWindow::GameWindow(ProgressFile progress, Prompts* prompts, QWidget* parent)
    : QWidget(parent),
      progress_(std::move(progress)),
      bestTimesFile_(progress_),
      ownPrompts_(prompts ? nullptr : std::make_unique<DialogPrompts>(this)),
      prompts_(prompts ? prompts : ownPrompts_.get()),
      title_(this),
      credits_(this, kWidth, kHeight, [] { return QRandomGenerator::global()->generateDouble(); }),
      field_(session_, bestTimes_),
      clock_([this] { onFrame(); }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ferlan"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(150, 192);
    resize(designSize());
    view_.resize(width(), height(), devicePixelRatioF());
    title_.highlight(title_.title(TitleScreen::Title::Spielstarten));
    loadDelay_.setSingleShot(true);
    connect(&loadDelay_, &QTimer::timeout, this, [this] {
        if (leftDown_) {
            loadOnRelease_ = true;
        } else {
            loadLevelFile();
        }
    });
}

GameWindow::~GameWindow() = default;

QSize GameWindow::sizeHint() const { return designSize(); }

SceneItem* GameWindow::item(const QString& name) const {
    return findChild<SceneItem*>(name, Qt::FindDirectChildrenOnly);
}

// ---------------------------------------------------------------- the menu

void GameWindow::showLevelList() {
    const std::optional<int> progress = progress_.read();
    if (!progress) {
        prompts_->message(QStringLiteral("Fehler"), ProgressFile::missingMessage(),
                          Prompts::Icon::Critical);
        return;
    }
    session_.showUnlocked(*progress);
    readBestTimes();
    title_.showList(session_.unlockedCount());
    markAfterScreenChange(title_.level(session_.unlockedCount() - 1));
    update();
}

void GameWindow::backToTitle() {
    session_.hideList();
    title_.showTitle(session_.unlockedCount());
    markAfterScreenChange(title_.title(TitleScreen::Title::Spielstarten));
    update();
}

void GameWindow::markAfterScreenChange(SceneItem* fallback) {
    SceneItem* under = pointer_ ? title_.itemAt(*pointer_) : nullptr;
    const bool onLabel = under && under != title_.cover() && under->visible();
    title_.highlight(onLabel ? under : fallback);
}

void GameWindow::startLevel(int index) {
    if (index < 0 || index >= kBuiltinLevelCount) return;
    title_.level(index)->setColour(SceneItem::kRestColour);
    levelBuilt(session_.startBuiltin(index));
}

void GameWindow::loadLevelFile() {
    title_.title(TitleScreen::Title::Levelladen)->setColour(SceneItem::kRestColour);
    update();
    const QString path = prompts_->openFileName(kLevelFileFilter);
    if (path.isEmpty()) {
        markAfterScreenChange(title_.title(TitleScreen::Title::Levelladen));
        update();
        return;
    }
    playLevelFile(path);
}

void GameWindow::playLevelFile(const QString& path) {
    // A file that cannot be a level leaves the screen and the level in memory
    // exactly as they were.
    std::optional<std::string> text = readLevelFile(path);
    LevelData check;
    if (!text || !readLevelText(*text, check)) {
        showReadError(*prompts_);
        return;
    }
    levelBuilt(session_.startLoaded(std::move(*text)));
}

void GameWindow::restartLevel() { levelBuilt(session_.restart()); }

void GameWindow::levelBuilt(bool ok) {
    if (!ok) showReadError(*prompts_);
    // The lamp shows the new level's state at once and blinks in step with it.
    field_.lamp().forgetTicks();
    if (field_.lamp().event(model().AlarmOn)) model().panelChanged();
    clock_.run(Beat::Lamp, false);
    redrawChanges();
    syncClock();
}

void GameWindow::leaveLevel() {
    field_.setNotice({});
    if (session_.leave()) {
        showLevelList();
    } else {
        markAfterScreenChange(title_.title(TitleScreen::Title::Spielstarten));
    }
    redrawChanges();
    syncClock();
}

void GameWindow::togglePause() {
    if (!session_.resume()) session_.pause();
    redrawChanges();
    // A resumed tick counts from now: the pause is not played back fast.
    syncClock();
}

void GameWindow::pauseLevel() {
    if (!session_.pause()) return;
    redrawChanges();
    syncClock();
}

void GameWindow::toggleFullScreen() { setWindowState(windowState() ^ Qt::WindowFullScreen); }

void GameWindow::quitGame() { close(); }

void GameWindow::startCredits() {
    title_.cover()->setVisible(true);
    title_.setTitleVisible(false);
    credits_.start();
    update();
    syncClock();
}

void GameWindow::stopCredits() {
    credits_.stop();
    title_.cover()->setVisible(false);
    title_.setTitleVisible(true);
    markAfterScreenChange(title_.title(TitleScreen::Title::Spielstarten));
    update();
    syncClock();
}

void GameWindow::advanceCredits() {
    if (!credits_.running()) return;
    credits_.step();
    update();
}

// ----------------------------------------------------------- the progress

void GameWindow::recordWin(int levelNumber, int highestShown) {
    QString error;
    if (progress_.recordWin(levelNumber, highestShown, &error) ==
        ProgressFile::WriteResult::Failed) {
        // Play goes on; a box here would stop the game inside its own tick.
        std::fprintf(stderr, "ferlan: Spielstand nicht gespeichert: %s\n", qPrintable(error));
        showNotice(QStringLiteral("Spielstand nicht gespeichert!"), kNoticeNs);
    }
}

void GameWindow::recordTime(int levelNumber, std::int64_t ticks) {
    QString error;
    switch (bestTimesFile_.record(levelNumber, ticks, bestTimes_, &error)) {
        case BestTimesFile::Recorded::NotBetter: return;
        case BestTimesFile::Recorded::NewBest:
            showNotice(QStringLiteral("Neue Bestzeit!"), kNewBestNs);
            break;
        case BestTimesFile::Recorded::NotStored:
            std::fprintf(stderr, "ferlan: Bestzeit nicht gespeichert: %s\n", qPrintable(error));
            showNotice(QStringLiteral("Bestzeit nicht gespeichert!"), kNoticeNs);
            break;
    }
    listBestTimes();
}

void GameWindow::readBestTimes() {
    if (const std::optional<BestTimes> stored = bestTimesFile_.read()) bestTimes_.merge(*stored);
    listBestTimes();
}

void GameWindow::listBestTimes() {
    for (int level = 1; level <= kBuiltinLevelCount; ++level) {
        const std::optional<std::int64_t> best = bestTimes_.of(level);
        title_.setBestTime(
            level - 1,
            best ? QString::fromStdString(secondsText(*best)) + QStringLiteral(" s") : QString());
    }
}

void GameWindow::showNotice(const QString& text, qint64 forNs) {
    field_.setNotice(text);
    noticeUntilNs_ = clock_.nowNs() + forNs;
    update(inWidget(field_.panelInWindow()));
}

// ---------------------------------------------------------------- the keys

void GameWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F11) {
        if (!event->isAutoRepeat()) toggleFullScreen();
        return;
    }
    if (credits_.running()) {
        // A key during the roll only ends it.
        stopCredits();
        return;
    }
    if (session_.shown()) {
        fieldKeyDown(event->key());
    } else {
        menuKeyDown(*event);
    }
}

void GameWindow::menuKeyDown(const QKeyEvent& event) {
    using Step = TitleScreen::Step;
    const bool onList = title_.zurueck()->visible();
    std::optional<Step> step;
    switch (event.key()) {
        case Qt::Key_Up: step = Step::Up; break;
        case Qt::Key_Down: step = Step::Down; break;
        case Qt::Key_Left: step = Step::Left; break;
        case Qt::Key_Right: step = Step::Right; break;
        case Qt::Key_Tab: step = Step::Next; break;
        case Qt::Key_Backtab: step = Step::Previous; break;
        case Qt::Key_Escape:
            if (onList) backToTitle();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            // A held key must not go on to restart the level it started.
            if (event.isAutoRepeat()) return;
            if (SceneItem* marked = title_.marked()) clickItem(marked, false);
            return;
        default: return;
    }
    if (title_.moveMark(*step)) update();
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
    // Held keys deliver releases with their repeats; only the last one counts.
    if (event->isAutoRepeat()) return;
    fieldKeyUp(event->key());
}

void GameWindow::fieldKeyDown(int key) {
    switch (key) {
        case Qt::Key_Escape: leaveLevel(); break;
        case Qt::Key_Up: holdArrow(model(), Arrow::Up, true); break;
        case Qt::Key_Down: holdArrow(model(), Arrow::Down, true); break;
        case Qt::Key_Left: holdArrow(model(), Arrow::Left, true); break;
        case Qt::Key_Right: holdArrow(model(), Arrow::Right, true); break;
        case Qt::Key_Return:
        case Qt::Key_Enter: restartLevel(); break;
        case Qt::Key_P:
        case Qt::Key_Pause: togglePause(); break;
        default: break;
    }
}

void GameWindow::fieldKeyUp(int key) {
    switch (key) {
        case Qt::Key_Up: holdArrow(model(), Arrow::Up, false); break;
        case Qt::Key_Down: holdArrow(model(), Arrow::Down, false); break;
        case Qt::Key_Left: holdArrow(model(), Arrow::Left, false); break;
        case Qt::Key_Right: holdArrow(model(), Arrow::Right, false); break;
        default: break;
    }
}

void GameWindow::focusOutEvent(QFocusEvent* event) {
    // Key-ups that go to another window never come back here, and a player
    // called away must not come back to a lost ball.
    releaseArrows(model());
    pauseLevel();
    QWidget::focusOutEvent(event);
}

void GameWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        releaseArrows(model());
        pauseLevel();
    }
    QWidget::changeEvent(event);
}

// --------------------------------------------------------------- the mouse

SceneItem* GameWindow::itemAt(QPointF twips) const {
    if (SceneItem* line = credits_.lineAt(twips)) return line;
    return title_.itemAt(twips);
}

void GameWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = toScene(event->position());
    SceneItem* before = pointer_ ? itemAt(*pointer_) : nullptr;
    pointer_ = at;
    if (session_.shown()) return;
    SceneItem* under = itemAt(at);
    credits_.pointerMoved(at, under);
    // Only a pointer that goes onto or off a label moves the mark: one that
    // merely stirs on the background leaves the keys' mark where it is. Most
    // moves change no colour; those need no redraw.
    if (under != before && !credits_.isLine(under) && title_.highlight(under)) update();
}

void GameWindow::leaveEvent(QEvent* event) {
    pointer_.reset();
    QWidget::leaveEvent(event);
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    leftDown_ = true;
    if (session_.paused()) {
        const QPointF at = toScene(event->position());
        if (field_.fieldInWindow().contains(at) && !field_.panelInWindow().contains(at)) {
            togglePause();
        }
        return;
    }
    if (session_.shown()) return;
    pressed_ = itemAt(toScene(event->position()));
    pressedOnBackground_ = pressed_ == nullptr;
}

void GameWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftDown_ = true;
    // The second press of a double-click: the first one has clicked already,
    // and whatever it brought up under the pointer must not take this one
    // (nor its release) as a click of its own.
    pressed_ = nullptr;
    pressedOnBackground_ = false;
}

void GameWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    leftDown_ = false;
    if (loadOnRelease_) {
        loadOnRelease_ = false;
        loadLevelFile();
        return;
    }
    SceneItem* pressed = pressed_;
    const bool onBackground = pressedOnBackground_;
    pressed_ = nullptr;
    pressedOnBackground_ = false;
    if (session_.shown() || (!pressed && !onBackground)) return;
    SceneItem* released = itemAt(toScene(event->position()));
    if (released != pressed) return;
    if (onBackground) {
        if (credits_.running()) stopCredits();
        return;
    }
    clickItem(pressed);
}

void GameWindow::clickItem(SceneItem* clicked, bool byMouse) {
    TitleScreen::Title title{};
    if (credits_.isLine(clicked)) {
        stopCredits();
    } else if (clicked == title_.cover()) {
        if (credits_.running()) stopCredits();
    } else if (clicked->kind() == SceneItem::Kind::LevelLabel) {
        startLevel(clicked->index());
    } else if (clicked == title_.zurueck()) {
        backToTitle();
    } else if (title_.isTitle(clicked, &title)) {
        switch (title) {
            case TitleScreen::Title::Spielstarten: showLevelList(); break;
            case TitleScreen::Title::Levelladen:
                if (byMouse) {
                    loadDelay_.start(QGuiApplication::styleHints()->mouseDoubleClickInterval());
                } else {
                    loadLevelFile();
                }
                break;
            case TitleScreen::Title::Credits: startCredits(); break;
            case TitleScreen::Title::Beenden: quitGame(); break;
        }
    }
}

// ---------------------------------------------------------- the frame loop

void GameWindow::runTick() {
    // A modal box opened from inside a tick must not run the next one.
    if (inTick_ || !session_.ticking()) return;
    inTick_ = true;
    if (session_.tick() == TickOutcome::Won && session_.finishLevel(*this) == AfterWin::NextLevel) {
        const int next = *session_.builtinIndex();
        title_.level(next)->setColour(SceneItem::kRestColour);
        levelBuilt(true);
    }
    field_.lamp().noteTick(model().AlarmOn);
    inTick_ = false;
}

void GameWindow::blinkAlarmLamp() {
    if (field_.lamp().event(model().AlarmOn)) model().panelChanged();
}

void GameWindow::onFrame() {
    for (int n = clock_.take(Beat::Tick); n > 0 && session_.ticking(); --n) runTick();
    if (clock_.take(Beat::Lamp) > 0) blinkAlarmLamp();
    for (int n = clock_.take(Beat::Credits); n > 0 && credits_.running(); --n) advanceCredits();
    if (!field_.notice().isEmpty() && clock_.nowNs() >= noticeUntilNs_) {
        field_.setNotice({});
        update(inWidget(field_.panelInWindow()));
    }
    redrawChanges();
    syncClock();
}

void GameWindow::syncClock() {
    clock_.run(Beat::Tick, session_.ticking());
    clock_.run(Beat::Lamp, session_.ticking());
    clock_.run(Beat::Credits, credits_.running());
    clock_.wakeAt(field_.notice().isEmpty() ? 0 : noticeUntilNs_);
    clock_.schedule();
}

void GameWindow::redrawChanges() {
    // The running time changes on nearly every tick: only its own box.
    const QString times = session_.shown() ? field_.timesText() : QString();
    if (times != drawnTimes_ && !times.isEmpty()) update(inWidget(field_.timesInWindow()));
    drawnTimes_ = times;
    const GameModel::Revision now = model().revision;
    if (now == drawn_) return;
    const QRect field = session_.shown() ? inWidget(field_.fieldInWindow()) : QRect();
    const bool panel = session_.shown();
    if (panel != drawnPanel_ || field.isEmpty() != drawnField_.isEmpty()) {
        update();  // the field came or went
    } else {
        // Only the field's own rectangle changes while it moves, and the
        // panel, which lies on top of it, only when what it shows does.
        const QRect panelRect = panel ? inWidget(field_.panelInWindow()) : QRect();
        if (now.field != drawn_.field) update(QRegion(field.united(drawnField_)) - panelRect);
        if (now.panel != drawn_.panel) update(panelRect);
    }
    drawn_ = now;
    drawnField_ = field;
    drawnPanel_ = panel;
}

// ------------------------------------------------------------ the painting

void GameWindow::resizeEvent(QResizeEvent* event) {
    view_.resize(width(), height(), devicePixelRatioF());
    QWidget::resizeEvent(event);
}

void GameWindow::paintEvent(QPaintEvent* event) {
    view_.resize(width(), height(), devicePixelRatioF());
    QPainter painter(this);
    // Black bars only where the window's shape leaves room beside the scene;
    // a pixel the scene covers only in part is filled too.
    const QRectF sceneF = view_.toWidget(QRectF(0, 0, kWidth, kHeight));
    const QPoint inner(static_cast<int>(std::ceil(sceneF.left())),
                       static_cast<int>(std::ceil(sceneF.top())));
    const QRect scene(inner, QPoint(static_cast<int>(std::floor(sceneF.right())) - 1,
                                    static_cast<int>(std::floor(sceneF.bottom())) - 1));
    for (const QRect& bar : QRegion(event->rect()).subtracted(scene))
        painter.fillRect(bar, Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(view_.scale() * 15 - 1) > 1e-9);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // During play the field hides nearly all of the menu screen under it;
    // painting only what shows keeps a moving level cheap.
    const QRectF dirty = event->rect();
    const QRectF dirtyTwips(toScene(dirty.topLeft()), toScene(dirty.bottomRight()));
    const QRectF field = field_.fieldInWindow();
    const double coveredTop = field.isEmpty() ? 0 : field.top();
    const double coveredBottom = field.isEmpty() ? 0 : field.bottom();
    const auto hidden = [&](const QRectF& twips) {
        const QRectF part = twips.intersected(dirtyTwips);
        return part.isEmpty() || (part.top() >= coveredTop && part.bottom() <= coveredBottom);
    };
    // The window's background picture above and below the field.
    for (const auto& [top, bottom] :
         {std::pair(0.0, coveredTop), std::pair(std::max(coveredTop, coveredBottom), kHeight)}) {
        const QRectF band(0, top, kWidth, bottom - top);
        if (bottom > top && band.intersects(dirtyTwips)) {
            view_.drawPicture(painter, QStringLiteral("Hintergrund"), band, band);
        }
    }
    painter.save();
    painter.setClipRect(sceneF);
    title_.paint(painter, view_, hidden);
    credits_.paint(painter, view_);
    if (!field.isEmpty()) field_.paintField(painter, view_, dirty);
    const QRectF panel = view_.toWidget(field_.panelInWindow());
    // The region, not its bounding box: a moving field's frame leaves the
    // panel out and need not lay out its writing.
    if (!panel.isEmpty() && event->region().intersects(panel.toAlignedRect())) {
        field_.paintPanel(painter, view_);
    }
    painter.restore();
}

}  // namespace ferlan
