#include "game_window.h"

#include <Spiel/sim/build_field.h>
#include <Spiel/sim/tick.h>
#include <common/level_file.h>
#include <common/prompts.h>
#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace ferlan {

namespace {

constexpr double kMenuLabelHeight = 615;
// A stall longer than this many ticks (about an eighth of a second) is dropped
// rather than played fast.
constexpr int kMaxTicksAtOnce = 8;
constexpr int kMaxCreditStepsAtOnce = 4;
constexpr qint64 kNoticeNs = 6'000'000'000;

const char* const kTitleNames[4] = {"Spielstarten", "Levelladen", "Credits", "Beenden"};
const char* const kTitleTexts[4] = {"Spiel starten", "Level laden", "Credits", "Beenden"};

constexpr double kLevelColumnLefts[3] = {240, 2640, 5040};
constexpr double kLevelRowTops[10] = {120, 840, 1560, 2280, 3000, 3840, 4680, 5520, 6360, 7200};

// The client area at its design size, in logical pixels.
QSize designSize() {
    return {static_cast<int>(std::lround(GameWindow::kWidth / 15)),
            static_cast<int>(std::lround(GameWindow::kHeight / 15))};
}

}  // namespace

GameWindow::GameWindow(ProgressFile progress, Prompts* prompts, QWidget* parent)
    : QWidget(parent),
      progress_(std::move(progress)),
      ownPrompts_(prompts ? nullptr : std::make_unique<DialogPrompts>(this)),
      prompts_(prompts ? prompts : ownPrompts_.get()),
      credits_(kWidth, kHeight, [] { return QRandomGenerator::global()->generateDouble(); }),
      tickRate_(kTicksPerSecond, kMaxTicksAtOnce),
      creditsRate_(CreditsRoll::kStepsPerSecond, kMaxCreditStepsAtOnce),
      lampRate_(AlarmLamp::kEventsPerSecond, 1) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ferlan"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(150, 192);
    resize(designSize());
    createItems();
    clock_.start();
    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &GameWindow::onFrame);
    updateTransform();
}

GameWindow::~GameWindow() = default;

QSize GameWindow::sizeHint() const { return designSize(); }

void GameWindow::createItems() {
    for (int i = 0; i < 4; ++i) {
        auto* label =
            new SceneItem(this, QString::fromLatin1(kTitleNames[i]), SceneItem::Kind::MenuLabel,
                          {1200, 1440.0 + 960.0 * i, 4095, kMenuLabelHeight},
                          QString::fromLatin1(kTitleTexts[i]));
        label->setVisible(true);
        titleLabels_[static_cast<std::size_t>(i)] = label;
    }
    for (int i = 0; i < kLevelLabelCount; ++i) {
        // "Level 24" is the one caption that needs a wider label in the script font.
        const double width = i == 23 ? 1575 : 1455;
        auto* label = new SceneItem(
            this, QStringLiteral("Level"), SceneItem::Kind::LevelLabel,
            {kLevelColumnLefts[i / 10], kLevelRowTops[i % 10], width, kMenuLabelHeight},
            QStringLiteral("Level %1").arg(i + 1));
        label->setIndex(i);
        levels_[static_cast<std::size_t>(i)] = label;
    }
    zurueck_ = new SceneItem(this, QStringLiteral("zurück"), SceneItem::Kind::MenuLabel,
                             {2700, 7920, 1335, kMenuLabelHeight}, QStringLiteral("zurück"));
    ueberdecken_ = new SceneItem(this, QStringLiteral("Überdecken"), SceneItem::Kind::Picture,
                                 {1200, 1200, 4095, 3975});
    credits1_ = new SceneItem(this, QStringLiteral("Credits1"), SceneItem::Kind::CreditsLine,
                              {0, -1000, CreditsRoll::kLineWidth, CreditsRoll::kLineHeight});
    credits2_ = new SceneItem(this, QStringLiteral("Credits2"), SceneItem::Kind::CreditsLine,
                              {0, -1000, CreditsRoll::kLineWidth, CreditsRoll::kLineHeight});
}

SceneItem* GameWindow::item(const QString& name) const {
    return findChild<SceneItem*>(name, Qt::FindDirectChildrenOnly);
}

// ---------------------------------------------------------------- the menu

void GameWindow::setTitleVisible(bool visible) {
    for (SceneItem* label : titleLabels_) label->setVisible(visible);
}

void GameWindow::setLevelVisible(int index, bool visible) {
    model_.LevelVisible[static_cast<std::size_t>(index)] = visible;
    levels_[static_cast<std::size_t>(index)]->setVisible(visible);
}

void GameWindow::showLevelList() {
    const std::optional<int> progress = progress_.read();
    if (!progress) {
        prompts_->message(QStringLiteral("Fehler"), ProgressFile::missingMessage(),
                          Prompts::Icon::Critical);
        return;
    }
    for (int i = 0; i <= *progress; ++i) setLevelVisible(i, true);
    ueberdecken_->setVisible(true);
    setTitleVisible(false);
    zurueck_->setVisible(true);
    update();
}

void GameWindow::backToTitle() {
    for (int i = 0; i < kLevelLabelCount; ++i) setLevelVisible(i, false);
    ueberdecken_->setVisible(false);
    setTitleVisible(true);
    zurueck_->setVisible(false);
    update();
}

void GameWindow::startLevel(int index) {
    if (index < 0 || index >= kLevelLabelCount) return;
    levels_[static_cast<std::size_t>(index)]->setColour(SceneItem::kRestColour);
    lamp_.forgetTicks();
    if (!startBuiltinLevel(model_, index)) showReadError(*prompts_);
    syncLoop();
    update();
}

void GameWindow::loadLevelFile() {
    titleLabels_[1]->setColour(SceneItem::kRestColour);
    update();
    const QString path = prompts_->openFileName(kLevelFileFilter);
    if (path.isEmpty()) return;
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
    lamp_.forgetTicks();
    if (!startLoadedLevel(model_, std::move(*text))) showReadError(*prompts_);
    syncLoop();
    update();
}

void GameWindow::quitGame() { close(); }

void GameWindow::startCredits() {
    ueberdecken_->setVisible(true);
    setTitleVisible(false);
    credits_.start();
    credits1_->setVisible(true);
    credits2_->setVisible(true);
    syncCreditLines();
    syncLoop();
    update();
}

void GameWindow::stopCredits() {
    credits_.stop();
    credits1_->setVisible(false);
    credits2_->setVisible(false);
    ueberdecken_->setVisible(false);
    setTitleVisible(true);
    syncLoop();
    update();
}

void GameWindow::advanceCredits() {
    if (!credits_.running()) return;
    credits_.step(mouseX_);
    syncCreditLines();
}

void GameWindow::syncCreditLines() {
    const CreditsRoll::Line* lines[2] = {&credits_.roleLine(), &credits_.nameLine()};
    SceneItem* items[2] = {credits1_, credits2_};
    for (int n = 0; n < 2; ++n) {
        items[n]->setRect(
            {lines[n]->left, lines[n]->top, CreditsRoll::kLineWidth, CreditsRoll::kLineHeight});
        items[n]->setText(lines[n]->text);
        items[n]->setColour(lines[n]->colour);
    }
}

// -------------------------------------------------------------- the shell

void GameWindow::writeProgress(int levelNumber) {
    int highestShown = 0;
    for (int i = 0; i < kLevelLabelCount; ++i) {
        if (model_.LevelVisible[static_cast<std::size_t>(i)]) highestShown = i;
    }
    QString error;
    if (progress_.recordWin(levelNumber, highestShown, &error) ==
        ProgressFile::WriteResult::Failed) {
        // Play goes on; a box here would stop the game inside its own tick.
        std::fprintf(stderr, "ferlan: Spielstand nicht gespeichert: %s\n", qPrintable(error));
        showNotice(QStringLiteral("Spielstand nicht gespeichert!"));
    }
}

void GameWindow::levelClick(int index) { startLevel(index); }

void GameWindow::showNotice(const QString& text) {
    notice_ = text;
    noticeUntilNs_ = clock_.nsecsElapsed() + kNoticeNs;
    update();
}

// ---------------------------------------------------------------- the keys

void GameWindow::keyPressEvent(QKeyEvent* event) {
    if (credits_.running()) {
        // A key during the roll only ends it.
        stopCredits();
        return;
    }
    if (model_.Spielflaeche.Visible) fieldKeyDown(event->key());
}

void GameWindow::keyReleaseEvent(QKeyEvent* event) {
    // Held keys deliver releases with their repeats; only the last one counts.
    if (event->isAutoRepeat()) return;
    fieldKeyUp(event->key());
}

void GameWindow::fieldKeyDown(int key) {
    switch (key) {
        case Qt::Key_Escape:
            model_.Anzeigetafel.Visible = false;
            model_.Spielflaeche.Visible = false;
            // A hidden level must not play on and win by itself.
            model_.SpieltimerEnabled = false;
            notice_.clear();
            if (model_.Levelanzeige.Visible) showLevelList();
            break;
        case Qt::Key_Up: model_.KeyUpHeld = true; break;
        case Qt::Key_Down: model_.KeyDownHeld = true; break;
        case Qt::Key_Left: model_.KeyLeftHeld = true; break;
        case Qt::Key_Right: model_.KeyRightHeld = true; break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            lamp_.forgetTicks();
            if (!restartLevel(model_)) showReadError(*prompts_);
            break;
        default: return;
    }
    syncLoop();
    update();
}

void GameWindow::fieldKeyUp(int key) {
    switch (key) {
        case Qt::Key_Up: model_.KeyUpHeld = false; break;
        case Qt::Key_Down: model_.KeyDownHeld = false; break;
        case Qt::Key_Left: model_.KeyLeftHeld = false; break;
        case Qt::Key_Right: model_.KeyRightHeld = false; break;
        default: break;
    }
}

void GameWindow::releaseAllKeys() {
    model_.KeyUpHeld = model_.KeyDownHeld = model_.KeyLeftHeld = model_.KeyRightHeld = false;
}

void GameWindow::focusOutEvent(QFocusEvent* event) {
    // Key-ups that go to another window never come back here.
    releaseAllKeys();
    QWidget::focusOutEvent(event);
}

void GameWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) releaseAllKeys();
    QWidget::changeEvent(event);
}

// --------------------------------------------------------------- the mouse

SceneItem* GameWindow::itemAt(QPointF twips) const {
    for (SceneItem* line : {credits2_, credits1_}) {
        if (line->contains(twips)) return line;
    }
    for (SceneItem* label : levels_) {
        if (label->contains(twips)) return label;
    }
    if (zurueck_->contains(twips)) return zurueck_;
    for (SceneItem* label : titleLabels_) {
        if (label->contains(twips)) return label;
    }
    if (ueberdecken_->contains(twips)) return ueberdecken_;
    return nullptr;
}

void GameWindow::highlight(SceneItem* under) {
    auto grey = [](SceneItem* label) { label->setColour(SceneItem::kRestColour); };
    const bool isTitle =
        std::find(titleLabels_.begin(), titleLabels_.end(), under) != titleLabels_.end();
    if (isTitle) {
        for (SceneItem* label : titleLabels_) grey(label);
    } else if (under && (under->kind() == SceneItem::Kind::LevelLabel || under == zurueck_)) {
        for (SceneItem* label : levels_) grey(label);
        grey(zurueck_);
    } else if (under == ueberdecken_) {
        for (SceneItem* label : levels_) grey(label);
    } else if (!under) {
        for (SceneItem* label : titleLabels_) grey(label);
        for (SceneItem* label : levels_) grey(label);
        grey(zurueck_);
    }
    if (under && under->kind() != SceneItem::Kind::Picture &&
        under->kind() != SceneItem::Kind::CreditsLine) {
        under->setColour(SceneItem::kHighlightColour);
    }
}

void GameWindow::mouseMoveEvent(QMouseEvent* event) {
    if (model_.Spielflaeche.Visible) return;
    const QPointF at = toScene(event->position());
    SceneItem* under = itemAt(at);
    const bool overLabel = under && (under->kind() == SceneItem::Kind::MenuLabel ||
                                     under->kind() == SceneItem::Kind::LevelLabel);
    if (!overLabel) {
        mouseX_ = at.x();
        mouseY_ = at.y();
    }
    if (under == nullptr || under->kind() != SceneItem::Kind::CreditsLine) {
        // Most moves change no colour; those need no redraw.
        const QList<SceneItem*> labels = findChildren<SceneItem*>(Qt::FindDirectChildrenOnly);
        QList<QRgb> before;
        for (const SceneItem* label : labels) before.append(label->colour().rgb());
        highlight(under);
        for (qsizetype i = 0; i < labels.size(); ++i) {
            if (labels[i]->colour().rgb() != before[i]) {
                update();
                break;
            }
        }
    }
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || model_.Spielflaeche.Visible) return;
    const QPointF at = toScene(event->position());
    pressed_ = itemAt(at);
    pressedOnBackground_ = pressed_ == nullptr;
}

void GameWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    SceneItem* pressed = pressed_;
    const bool onBackground = pressedOnBackground_;
    pressed_ = nullptr;
    pressedOnBackground_ = false;
    if (model_.Spielflaeche.Visible) return;
    SceneItem* released = itemAt(toScene(event->position()));
    if (released != pressed) return;
    if (onBackground && released == nullptr) {
        if (credits_.running()) stopCredits();
        return;
    }
    if (pressed) clickItem(pressed);
}

void GameWindow::clickItem(SceneItem* clicked) {
    if (clicked == credits1_ || clicked == credits2_) {
        stopCredits();
    } else if (clicked == ueberdecken_) {
        if (credits_.running()) stopCredits();
    } else if (clicked->kind() == SceneItem::Kind::LevelLabel) {
        startLevel(clicked->index());
    } else if (clicked == zurueck_) {
        backToTitle();
    } else if (clicked == titleLabels_[0]) {
        showLevelList();
    } else if (clicked == titleLabels_[1]) {
        loadLevelFile();
    } else if (clicked == titleLabels_[2]) {
        startCredits();
    } else if (clicked == titleLabels_[3]) {
        quitGame();
    }
}

// ---------------------------------------------------------- the frame loop

void GameWindow::runTick() {
    // A modal box opened from inside a tick must not run the next one.
    if (inTick_ || !model_.SpieltimerEnabled) return;
    inTick_ = true;
    ferlan::runTick(model_, *this);
    lamp_.noteTick(model_.AlarmOn);
    inTick_ = false;
}

void GameWindow::blinkAlarmLamp() { lamp_.event(model_.AlarmOn); }

void GameWindow::syncLoop() {
    const qint64 now = clock_.nsecsElapsed();
    if (model_.SpieltimerEnabled && !tickRate_.running()) {
        tickRate_.start(now);
        // The lamp shows the new level's state at once.
        lampRate_.start(now - 1'000'000'000 / AlarmLamp::kEventsPerSecond);
    } else if (!model_.SpieltimerEnabled && tickRate_.running()) {
        tickRate_.stop();
        lampRate_.stop();
    }
    if (credits_.running() && !creditsRate_.running()) {
        creditsRate_.start(now);
    } else if (!credits_.running() && creditsRate_.running()) {
        creditsRate_.stop();
    }
    scheduleNext(now);
}

void GameWindow::scheduleNext(qint64 nowNs) {
    qint64 next = -1;
    for (const FixedRate* rate : {&tickRate_, &creditsRate_, &lampRate_}) {
        if (rate->running() && (next < 0 || rate->nextDueNs() < next)) next = rate->nextDueNs();
    }
    if (!notice_.isEmpty() && (next < 0 || noticeUntilNs_ < next)) next = noticeUntilNs_;
    if (next < 0) {
        frameTimer_.stop();
        return;
    }
    const qint64 waitMs = std::max<qint64>(0, (next - nowNs + 999'999) / 1'000'000);
    frameTimer_.start(static_cast<int>(waitMs));
}

void GameWindow::onFrame() {
    const qint64 now = clock_.nsecsElapsed();
    for (int n = tickRate_.take(now); n > 0 && model_.SpieltimerEnabled; --n) runTick();
    if (lampRate_.take(now) > 0) blinkAlarmLamp();
    for (int n = creditsRate_.take(now); n > 0 && credits_.running(); --n) advanceCredits();
    if (!notice_.isEmpty() && now >= noticeUntilNs_) notice_.clear();
    refreshIfChanged();
    syncLoop();
}

namespace {

template <typename T>
void append(QByteArray& bytes, const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void appendObject(QByteArray& bytes, const FieldObject& object) {
    append(bytes, object.Left);
    append(bytes, object.Top);
    append(bytes, object.Visible);
}

}  // namespace

QByteArray GameWindow::sceneSignature() const {
    QByteArray bytes;
    bytes.reserve(512);
    appendObject(bytes, model_.Spielflaeche);
    appendObject(bytes, model_.Anzeigetafel);
    appendObject(bytes, model_.Eisenkugel);
    for (const Image& ball : model_.Kugel) appendObject(bytes, ball);
    for (const Image& polariser : model_.Transformator) {
        appendObject(bytes, polariser);
        append(bytes, polariser.picture);
    }
    for (const Label* label :
         {&model_.Levelanzeiger, &model_.Levelendeanzeiger, &model_.Geschafft}) {
        appendObject(bytes, *label);
    }
    for (const SceneItem* line : {credits1_, credits2_}) {
        append(bytes, line->rect().left());
        append(bytes, line->rect().top());
        append(bytes, line->colour().rgb());
        append(bytes, line->visible());
    }
    return bytes;
}

QByteArray GameWindow::panelSignature() const {
    QByteArray bytes;
    appendObject(bytes, model_.Anzeigetafel);
    appendObject(bytes, model_.Levelanzeige);
    append(bytes, model_.Geladen.Visible);
    append(bytes, model_.BallPolarity);
    append(bytes, lamp_.picture());
    bytes.append(notice_.toUtf8());
    return bytes;
}

QRect GameWindow::panelInWidget() const {
    const FieldObject& panel = model_.Anzeigetafel;
    const QRectF twips(panel.Left, panel.Top, panel.Width, panel.Height);
    return QRectF(toWidget(twips.topLeft()), twips.size() * scale_).toAlignedRect();
}

void GameWindow::refreshIfChanged() {
    QByteArray scene = sceneSignature();
    QByteArray panel = panelSignature();
    const bool sceneChanged = scene != lastSceneSignature_;
    const bool panelChanged = panel != lastPanelSignature_;
    lastSceneSignature_ = std::move(scene);
    lastPanelSignature_ = std::move(panel);
    if (sceneChanged && panelChanged) {
        update();
    } else if (sceneChanged) {
        // The panel lies on top: while it is shown, nothing under it needs painting.
        update(model_.Anzeigetafel.Visible ? QRegion(rect()).subtracted(panelInWidget())
                                           : QRegion(rect()));
    } else if (panelChanged) {
        update(panelInWidget());
    }
}

// ------------------------------------------------------------ the geometry

void GameWindow::updateTransform() {
    scale_ = std::min(width() / kWidth, height() / kHeight);
    offset_ = QPointF((width() - kWidth * scale_) / 2, (height() - kHeight * scale_) / 2);
}

void GameWindow::resizeEvent(QResizeEvent* event) {
    updateTransform();
    QWidget::resizeEvent(event);
}

QPointF GameWindow::toWidget(QPointF twips) const { return offset_ + twips * scale_; }

QPointF GameWindow::toScene(QPointF widget) const { return (widget - offset_) / scale_; }

}  // namespace ferlan
