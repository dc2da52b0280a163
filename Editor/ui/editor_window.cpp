#include "editor_window.h"

#include "check_result_text.h"
#include "edit_strip.h"
#include "editor_texts.h"
#include "preview_widget.h"
#include "test_play.h"

#include <Spiel/sim/rules.h>
#include <common/atomic_file.h>
#include <common/level_file.h>
#include <common/pictures.h>
#include <common/twips.h>
#include <leveldata/level_text.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace ferlan::editor {
namespace {

using namespace editor_texts;

// The window's inner area at its design size, below the menu bar.
constexpr int kClientWidth = 9555;
constexpr int kClientHeight = 8670;
constexpr int kScrollBarLeft = 6840;
constexpr int kScrollBarWidth = 255;
constexpr int kStripLeft = 7200;
// The design height of the scroll bar.
constexpr int kColumnHeight = 8655;
// The progress dialog's figures are renewed this often (ms).
constexpr int kProgressInterval = 100;
// A wheel "line" over the preview, in scroll units of 75 twips: about the
// height of a line of text, so a notch moves the preview as far as it moves
// any Qt view.
constexpr int kWheelLineUnits = 4;
// The hint for elements outside the level lies over the preview's foot.
constexpr int kHintHeight = 300;

}  // namespace

EditorWindow::EditorWindow(Prompts* prompts, QWidget* parent)
    : QMainWindow(parent),
      ownPrompts_(prompts == nullptr ? std::make_unique<DialogPrompts>(this) : nullptr),
      prompts_(prompts == nullptr ? *ownPrompts_ : *prompts) {
    setObjectName(QStringLiteral("Form1"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(toWholePixels(kClientWidth), toWholePixels(kClientHeight));
    setCentralWidget(client);

    preview_ = new PreviewWidget(model_, client);
    connect(preview_, &PreviewWidget::elementMoved, this, [this] { levelChanged(EditStep::Move); });
    // The wheel over the preview scrolls it as over the scroll bar beside it.
    preview_->installEventFilter(this);
    connect(preview_, &PreviewWidget::contextMenuRequested, this,
            [this](const QPoint& at) { contextMenu_->popup(at); });

    // The bar's values run from 0 at the top to -200 at the bottom; Qt's bar
    // counts upward, so it holds the negated value.
    scrollBar_ = new QScrollBar(Qt::Vertical, client);
    scrollBar_->setObjectName(QStringLiteral("VScroll1"));
    scrollBar_->setGeometry(toWholePixels(kScrollBarLeft), 0, toWholePixels(kScrollBarWidth),
                            toWholePixels(kColumnHeight));
    scrollBar_->setRange(0, -kMinScroll);
    scrollBar_->setSingleStep(1);
    scrollBar_->setPageStep(1);
    connect(scrollBar_, &QScrollBar::valueChanged, this,
            [this](int qtValue) { scrollPreview(-qtValue); });
    scrollBar_->installEventFilter(this);

    outsideHint_ = new QLabel(client);
    outsideHint_->setObjectName(QStringLiteral("outsideHint"));
    outsideHint_->setGeometry(0, toWholePixels(kClientHeight - kHintHeight),
                              toWholePixels(kPreviewWidth), toWholePixels(kHintHeight));
    outsideHint_->setAlignment(Qt::AlignCenter);
    // A palette, not a style sheet: a sheet would build a style of its own
    // for the label while the window starts.
    QPalette hintColours = outsideHint_->palette();
    hintColours.setColor(QPalette::Window, QColor(0xff, 0xf3, 0xb0));
    hintColours.setColor(QPalette::WindowText, Qt::black);
    outsideHint_->setPalette(hintColours);
    outsideHint_->setAutoFillBackground(true);
    outsideHint_->hide();

    strip_ = new EditStrip(client);
    strip_->move(toWholePixels(kStripLeft), 0);
    connect(strip_, &EditStrip::heightChanged, this, &EditorWindow::changeHeight);
    connect(strip_, &EditStrip::floorClicked, this, &EditorWindow::chooseFloor);
    connect(strip_, &EditStrip::headingClicked, this, &EditorWindow::showDirectHelp);
    connect(strip_, &EditStrip::insertFerlanClicked, this, &EditorWindow::insertFerlan);
    connect(strip_, &EditStrip::insertKugelClicked, this, &EditorWindow::insertKugel);
    connect(strip_, &EditStrip::insertTransformatorClicked, this,
            &EditorWindow::insertTransformator);

    // The check searches as ferlan-tool solve does.
    solveOptions_.threads = defaultSolveThreads();
    testPlay_ = new TestPlay(this);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressInterval);
    connect(progressTimer_, &QTimer::timeout, this, &EditorWindow::showCheckProgress);

    buildMenus();
    setCurrentFile({});
    refresh();
    // Read on the other core while the window is shown.
    decodeAhead(strip_->picturesShown() + preview_->picturesShown());
}

EditorWindow::~EditorWindow() = default;

bool EditorWindow::eventFilter(QObject* watched, QEvent* event) {
    // The bar's own page step is a single unit, which would hold a notch to
    // one unit as well; the wheel steps by lines instead.
    if ((watched == preview_ || watched == scrollBar_) && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        const int units =
            wheel->angleDelta().y() * QApplication::wheelScrollLines() * kWheelLineUnits / 120;
        if (units != 0 && centralWidget()->isEnabled()) {
            scrollBar_->setValue(scrollBar_->value() - units);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void EditorWindow::buildMenus() {
    auto add = [this](QMenu* menu, const char* name, const QString& caption,
                      const QKeySequence& shortcut, void (EditorWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("Datei"));
    file->setObjectName(QStringLiteral("mnufile"));
    add(file, "mnunew", QStringLiteral("Neu"), QKeySequence(Qt::CTRL | Qt::Key_N),
        &EditorWindow::newLevel);
    add(file, "mnuload", QStringLiteral("Laden"), QKeySequence(Qt::CTRL | Qt::Key_O),
        &EditorWindow::loadLevel);
    recentMenu_ = file->addMenu(kRecentMenu);
    recentMenu_->setObjectName(QStringLiteral("mnurecent"));
    // Filled as it opens: reading the settings would only slow the start.
    connect(recentMenu_, &QMenu::aboutToShow, this, &EditorWindow::fillRecentMenu);
    add(file, "mnusave", QStringLiteral("Speichern unter"), QKeySequence(Qt::CTRL | Qt::Key_S),
        &EditorWindow::saveLevelAs);
    add(file, "mnuend", QStringLiteral("Beenden"), QKeySequence(Qt::CTRL | Qt::Key_Q),
        &EditorWindow::quit);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Bearbeiten"));
    edit->setObjectName(QStringLiteral("mnuedit"));
    undoAction_ =
        add(edit, "mnuundo", kUndo, QKeySequence(Qt::CTRL | Qt::Key_Z), &EditorWindow::undo);
    redoAction_ = add(edit, "mnuredo", kRedo, {}, &EditorWindow::redo);
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    QAction* check =
        add(edit, "mnucheck", kCheckCaption, QKeySequence(Qt::Key_F5), &EditorWindow::checkLevel);
    routeAction_ =
        add(edit, "mnuroute", QStringLiteral("Weg anzeigen"), {}, &EditorWindow::showRoute);
    routeAction_->setCheckable(true);
    routeAction_->setChecked(true);
    routeAction_->setEnabled(false);
    add(edit, "mnutestplay", kTestPlay, QKeySequence(Qt::Key_F6), &EditorWindow::testPlay);
    levelActions_ = {findChild<QAction*>(QStringLiteral("mnunew")),
                     findChild<QAction*>(QStringLiteral("mnuload")),
                     recentMenu_->menuAction(),
                     undoAction_,
                     redoAction_,
                     check};

    QMenu* help = menuBar()->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("mnuhelp"));
    add(help, "mnuinfo", QStringLiteral("Info"), {}, &EditorWindow::showInfo);
    add(help, "mnudo", QStringLiteral("Benutzen des Editors"), {}, &EditorWindow::showUsage);
    add(help, "mnuturn", QStringLiteral("Direkthilfe an- oder abschalten"), {},
        &EditorWindow::toggleDirectHelp);

    // Never in the menu bar: it opens only on a right press on an element.
    contextMenu_ = new QMenu(QStringLiteral("Menü"), this);
    contextMenu_->setObjectName(QStringLiteral("menu"));
    levelActions_ << add(contextMenu_, "cut", QStringLiteral("Löschen"), {},
                         &EditorWindow::deleteElement);
}

void EditorWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles_.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        QAction* open = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        open->setObjectName(QStringLiteral("mnurecent%1").arg(i + 1));
        connect(open, &QAction::triggered, this, [this, path] {
            if (mayDiscardChanges(kLoadCaption, kLoadQuestion)) loadLevelFile(path);
        });
    }
    recentMenu_->addSeparator();
    QAction* clear = recentMenu_->addAction(kRecentClear);
    clear->setObjectName(QStringLiteral("mnurecentclear"));
    clear->setEnabled(!files.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        recentFiles_.clear();
        fillRecentMenu();
    });
}

bool EditorWindow::mayDiscardChanges(const QString& caption, const QString& question) {
    return !history_.changed() || prompts_.question(caption, question);
}

void EditorWindow::setCurrentFile(const QString& name) {
    currentFile_ = name;
    setWindowTitle(kWindowCaption.arg(name.isEmpty() ? kUntitled : QFileInfo(name).fileName()));
}

Twips EditorWindow::clientHeight() const {
    return static_cast<Twips>(toTwips(centralWidget()->height()));
}

void EditorWindow::refresh() {
    const LevelDocument& level = model_.document();
    preview_->setGeometry(0, toWholePixels(model_.view().previewTop()),
                          toWholePixels(kPreviewWidth), toWholePixels(level.previewHeight()));
    {
        const QSignalBlocker blockScroll(scrollBar_);
        scrollBar_->setValue(-model_.view().scroll);
    }
    {
        const QSignalBlocker blockHeight(strip_->heightBar());
        strip_->heightBar()->setValue(level.height());
    }
    strip_->showHeight(level.height());

    const bool idle = checkRun_ == nullptr;
    centralWidget()->setEnabled(idle);
    for (QAction* action : levelActions_) action->setEnabled(idle);
    undoAction_->setEnabled(idle && history_.canUndo());
    undoAction_->setText(history_.canUndo() ? kUndo + QStringLiteral(": ") +
                                                  fromView(stepName(history_.undoStep()))
                                            : kUndo);
    redoAction_->setEnabled(idle && history_.canRedo());
    redoAction_->setText(history_.canRedo() ? kRedo + QStringLiteral(": ") +
                                                  fromView(stepName(history_.redoStep()))
                                            : kRedo);
    routeAction_->setEnabled(idle && lastCheck_.has_value());
    setWindowModified(history_.changed());
    const OutsideCount outside = level.elementsOutside();
    outsideHint_->setVisible(outside.total() > 0);
    if (outside.total() > 0)
        outsideHint_->setText(kOutsideHint.arg(kindCountsText(outside.byKind)));
    preview_->update();
}

void EditorWindow::levelChanged(EditStep step) {
    if (history_.record(step, model_.document())) forgetCheck();
    refresh();
}

void EditorWindow::forgetCheck() {
    lastCheck_.reset();
    preview_->setRoute({}, 0);
}

void EditorWindow::showInsertRefusal(const InsertResult& result) {
    if (result.inserted) return;
    prompts_.message(kFailureCaption, fromView(result.message), Prompts::Icon::Critical);
}

void EditorWindow::insertFerlan() {
    const InsertResult result = model_.insertFerlan(strip_->ferlanOptions(), clientHeight());
    showInsertRefusal(result);
    if (result.inserted) levelChanged(EditStep::InsertFerlan);
}

void EditorWindow::insertKugel() {
    const InsertResult result = model_.insertKugel(strip_->kugelOptions(), clientHeight());
    showInsertRefusal(result);
    if (result.inserted) levelChanged(EditStep::InsertKugel);
}

void EditorWindow::insertTransformator() {
    const InsertResult result =
        model_.insertTransformator(strip_->transformatorEffect(), clientHeight());
    showInsertRefusal(result);
    if (result.inserted) levelChanged(EditStep::InsertTransformator);
}

void EditorWindow::changeHeight(int rows) {
    if (model_.setHeight(rows)) levelChanged(EditStep::Height);
}

void EditorWindow::scrollPreview(int value) {
    model_.setScroll(value);
    refresh();
}

void EditorWindow::chooseFloor(int texture) {
    if (model_.setFloor(texture)) levelChanged(EditStep::Floor);
}

void EditorWindow::showDirectHelp(int index) {
    if (!model_.view().directHelp) return;
    const QString text = directHelpText(index);
    if (!text.isEmpty()) prompts_.message(kDirectHelpTextCaption, text, Prompts::Icon::Information);
}

void EditorWindow::deleteElement() {
    if (model_.deleteSelected()) levelChanged(EditStep::Delete);
}

void EditorWindow::newLevel() {
    if (!prompts_.question(kNewCaption, kNewQuestion)) return;
    model_.newLevel();
    history_.reset(model_.document());
    setCurrentFile({});
    forgetCheck();
    refresh();
}

void EditorWindow::loadLevel() {
    if (!mayDiscardChanges(kLoadCaption, kLoadQuestion)) return;
    const QString name = prompts_.openFileName(kLevelFileFilter);
    if (name.isEmpty()) return;
    loadLevelFile(name);
}

void EditorWindow::loadLevelFile(const QString& name) {
    lastFileName_ = name;
    const std::optional<std::string> text = readLevelFile(name);
    LevelData data;
    if (!text || !readLevelText(*text, data)) {
        recentFiles_.remove(name);
        showReadError(prompts_);
        return;
    }
    model_.load(data);
    history_.reset(model_.document());
    setCurrentFile(name);
    recentFiles_.add(name);
    forgetCheck();
    refresh();
}

std::optional<QByteArray> EditorWindow::levelFileBytes(const QString& unwritable) {
    const LevelTextResult level = model_.document().levelText();
    switch (level.status) {
        case LevelTextStatus::Ok: break;
        case LevelTextStatus::NoFloor:
            prompts_.message(kIncompleteCaption, kNoFloor, Prompts::Icon::Critical);
            return std::nullopt;
        case LevelTextStatus::CoordinateOutOfRange:
            prompts_.message(kFailureCaption, kTooFarOut, Prompts::Icon::Critical);
            return std::nullopt;
        case LevelTextStatus::Unwritable:
            prompts_.message(kFailureCaption, unwritable, Prompts::Icon::Critical);
            return std::nullopt;
    }
    QByteArray bytes = QByteArray::fromStdString(level.text);
    bytes += QByteArray(kLevelFileLineEnd.data(), static_cast<qsizetype>(kLevelFileLineEnd.size()));
    return bytes;
}

void EditorWindow::saveLevelAs() {
    const std::optional<QByteArray> bytes = levelFileBytes(kSaveError);
    if (!bytes) return;
    const QString name = prompts_.saveFileName(kLevelFileFilter, lastFileName_);
    if (name.isEmpty()) return;
    lastFileName_ = name;

    // The old file stays whole until the new one is completely written.
    if (!writeFileAtomically(name, *bytes)) {
        prompts_.message(kFailureCaption, kSaveError, Prompts::Icon::Critical);
        return;
    }
    history_.markSaved();
    setCurrentFile(name);
    recentFiles_.add(name);
    refresh();
}

void EditorWindow::testPlay() {
    const std::optional<QByteArray> bytes = levelFileBytes(kTestPlayError);
    if (!bytes) return;
    switch (testPlay_->start(*bytes)) {
        case TestPlay::Start::Started: break;
        case TestPlay::Start::NoGame:
            prompts_.message(kFailureCaption, kNoGame, Prompts::Icon::Critical);
            break;
        case TestPlay::Start::NoFile:
            prompts_.message(kFailureCaption, kTestPlayError, Prompts::Icon::Critical);
            break;
    }
}

void EditorWindow::quit() {
    if (!prompts_.question(kQuitCaption, kQuitQuestion)) return;
    quitConfirmed_ = true;
    close();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (checkRun_ != nullptr) {
        checkRun_->cancel();
        finishCheck();
    }
    // Closing by the title bar asks only when there is something to lose.
    if (quitConfirmed_ || !history_.changed() || prompts_.question(kQuitCaption, kQuitQuestion)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void EditorWindow::showInfo() {
    prompts_.message(kInfoCaption, kInfoText, Prompts::Icon::Information);
}

void EditorWindow::showUsage() {
    prompts_.message(kHelpCaption, kHelpText, Prompts::Icon::Information);
}

void EditorWindow::toggleDirectHelp() {
    const bool on = model_.view().directHelp;
    if (prompts_.question(kDirectHelpCaption, on ? kDirectHelpOff : kDirectHelpOn)) {
        model_.setDirectHelp(!on);
    }
}

void EditorWindow::undo() {
    if (!history_.undo()) return;
    model_.restore(history_.current());
    forgetCheck();
    refresh();
}

void EditorWindow::redo() {
    if (!history_.redo()) return;
    model_.restore(history_.current());
    forgetCheck();
    refresh();
}

void EditorWindow::checkLevel() {
    if (checkRun_ != nullptr) return;
    const LevelTextResult level = checkText(model_.document());
    if (level.status != LevelTextStatus::Ok) {
        const bool tooFar = level.status == LevelTextStatus::CoordinateOutOfRange;
        prompts_.message(kFailureCaption, tooFar ? kTooFarOut : kSaveError,
                         Prompts::Icon::Critical);
        return;
    }
    // The worker only reports; the window finishes on its own thread.
    checkRun_ = std::make_unique<LevelCheckRun>(level.text, solveOptions_, [this] {
        QMetaObject::invokeMethod(this, &EditorWindow::finishCheck, Qt::QueuedConnection);
    });
    checkClock_.start();
    // A plain dialog: a busy bar's animation would take a core from the search.
    checkProgress_ = new QDialog(this);
    checkProgress_->setObjectName(QStringLiteral("checkProgress"));
    checkProgress_->setWindowTitle(kCheckCaption);
    // Not modal: a modal box would hold back the window's close, which must
    // cancel the search. The level's own controls are shut meanwhile.
    checkProgress_->setWindowModality(Qt::NonModal);
    checkProgressLabel_ = new QLabel(checkProgress_);
    checkProgressLabel_->setObjectName(QStringLiteral("checkProgressLabel"));
    auto* cancel = new QPushButton(kCheckCancel, checkProgress_);
    cancel->setObjectName(QStringLiteral("checkCancel"));
    auto* layout = new QVBoxLayout(checkProgress_);
    layout->addWidget(checkProgressLabel_);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, checkProgress_, &QDialog::reject);
    connect(checkProgress_, &QDialog::rejected, this, [this] {
        if (checkRun_ != nullptr) checkRun_->cancel();
    });
    showCheckProgress();
    checkProgress_->show();
    progressTimer_->start();
    refresh();
}

void EditorWindow::showCheckProgress() {
    if (checkRun_ == nullptr || checkProgress_ == nullptr) return;
    const QLocale german(QLocale::German);
    const double seconds = static_cast<double>(checkClock_.elapsed()) / 1000;
    if (checkRun_->playtesting()) {
        checkProgressLabel_->setText(kCheckPlaytest.arg(german.toString(seconds, 'f', 1),
                                                        QString::number(checkRun_->attempt()),
                                                        QString::number(kPlaytestAttempts)));
        return;
    }
    checkProgressLabel_->setText(
        kCheckProgress.arg(german.toString(seconds, 'f', 1),
                           german.toString(static_cast<qlonglong>(checkRun_->statesSearched()))));
}

void EditorWindow::finishCheck() {
    if (checkRun_ == nullptr) return;
    progressTimer_->stop();
    delete checkProgress_;
    checkProgress_ = nullptr;
    checkProgressLabel_ = nullptr;
    // A cancelled run may still be writing its result: it is only waited for.
    const bool cancelled = checkRun_->cancelled();
    std::optional<LevelCheck> check;
    if (!cancelled) check = checkRun_->result();
    checkRun_.reset();
    refresh();
    if (cancelled) return;
    if (!check) {
        showReadError(prompts_);
        return;
    }
    const QString text = checkResultText(*check, solveOptions_, model_.document().elementCount(),
                                         model_.document().elementsOutside());
    if (check->solve.outcome == SolveOutcome::Won) {
        lastCheck_ = std::move(check);
        showRoute();
        refresh();
    }
    prompts_.message(kCheckCaption, text, Prompts::Icon::Information);
}

void EditorWindow::showRoute() {
    if (lastCheck_ && routeAction_->isChecked()) {
        preview_->setRoute(lastCheck_->route, lastCheck_->exitPoint);
    } else {
        preview_->setRoute({}, 0);
    }
}

}  // namespace ferlan::editor
