#include "editor_window.h"

#include "edit_strip.h"
#include "editor_texts.h"
#include "preview_widget.h"

#include <common/atomic_file.h>
#include <common/level_file.h>
#include <common/twips.h>
#include <leveldata/level_text.h>

#include <QCloseEvent>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalBlocker>

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

}  // namespace

EditorWindow::EditorWindow(Prompts* prompts, QWidget* parent)
    : QMainWindow(parent),
      ownPrompts_(prompts == nullptr ? std::make_unique<DialogPrompts>(this) : nullptr),
      prompts_(prompts == nullptr ? *ownPrompts_ : *prompts) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kWindowCaption);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(toWholePixels(kClientWidth), toWholePixels(kClientHeight));
    setCentralWidget(client);

    preview_ = new PreviewWidget(model_, client);
    connect(preview_, &PreviewWidget::levelChanged, this, [this] { refresh(); });
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

    strip_ = new EditStrip(client);
    strip_->move(toWholePixels(kStripLeft), 0);
    connect(strip_, &EditStrip::heightChanged, this, &EditorWindow::changeHeight);
    connect(strip_, &EditStrip::floorClicked, this, &EditorWindow::chooseFloor);
    connect(strip_, &EditStrip::headingClicked, this, &EditorWindow::showDirectHelp);
    connect(strip_, &EditStrip::insertFerlanClicked, this, &EditorWindow::insertPoleBlock);
    connect(strip_, &EditStrip::insertKugelClicked, this, &EditorWindow::insertChargedBall);
    connect(strip_, &EditStrip::insertTransformatorClicked, this, &EditorWindow::insertPolariser);

    buildMenus();
    refresh();
}

EditorWindow::~EditorWindow() = default;

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
    add(file, "mnusave", QStringLiteral("Speichern unter"), QKeySequence(Qt::CTRL | Qt::Key_S),
        &EditorWindow::saveLevelAs);
    add(file, "mnuend", QStringLiteral("Beenden"), QKeySequence(Qt::CTRL | Qt::Key_Q),
        &EditorWindow::quit);

    QMenu* help = menuBar()->addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("mnuhelp"));
    add(help, "mnuinfo", QStringLiteral("Info"), {}, &EditorWindow::showInfo);
    add(help, "mnudo", QStringLiteral("Benutzen des Editors"), {}, &EditorWindow::showUsage);
    add(help, "mnuturn", QStringLiteral("Direkthilfe an- oder abschalten"), {},
        &EditorWindow::toggleDirectHelp);

    // Never in the menu bar: it opens only on a right press on an element.
    contextMenu_ = new QMenu(QStringLiteral("Menü"), this);
    contextMenu_->setObjectName(QStringLiteral("menu"));
    add(contextMenu_, "cut", QStringLiteral("Löschen"), {}, &EditorWindow::deleteElement);
}

Twips EditorWindow::clientHeight() const {
    return static_cast<Twips>(toTwips(centralWidget()->height()));
}

void EditorWindow::refresh() {
    preview_->setGeometry(0, toWholePixels(model_.previewTop()), toWholePixels(kPreviewWidth),
                          toWholePixels(model_.previewHeight()));
    {
        const QSignalBlocker blockScroll(scrollBar_);
        scrollBar_->setValue(-model_.scrollValue());
    }
    {
        const QSignalBlocker blockHeight(strip_->heightBar());
        strip_->heightBar()->setValue(model_.height());
    }
    strip_->showHeight(model_.height());
    preview_->update();
}

void EditorWindow::showInsertRefusal(const InsertResult& result) {
    if (result.inserted) return;
    const QString text =
        QString::fromUtf8(result.message.data(), static_cast<qsizetype>(result.message.size()));
    prompts_.message(kFailureCaption, text, Prompts::Icon::Critical);
}

void EditorWindow::insertPoleBlock() {
    showInsertRefusal(model_.insertFerlan(strip_->ferlanOptions(), clientHeight()));
    refresh();
}

void EditorWindow::insertChargedBall() {
    showInsertRefusal(model_.insertKugel(strip_->kugelOptions(), clientHeight()));
    refresh();
}

void EditorWindow::insertPolariser() {
    showInsertRefusal(model_.insertTransformator(strip_->transformatorEffect(), clientHeight()));
    refresh();
}

void EditorWindow::changeHeight(int rows) {
    model_.setHeight(rows);
    refresh();
}

void EditorWindow::scrollPreview(int value) {
    model_.setScroll(value);
    refresh();
}

void EditorWindow::chooseFloor(int texture) {
    model_.setFloor(texture);
    refresh();
}

void EditorWindow::showDirectHelp(int index) {
    if (!model_.directHelp()) return;
    const QString text = directHelpText(index);
    if (!text.isEmpty()) prompts_.message(kDirectHelpTextCaption, text, Prompts::Icon::Information);
}

void EditorWindow::deleteElement() {
    model_.deleteSelected();
    refresh();
}

void EditorWindow::newLevel() {
    if (!prompts_.question(kNewCaption, kNewQuestion)) return;
    model_.newLevel();
    refresh();
}

void EditorWindow::loadLevel() {
    const QString name = prompts_.openFileName(kLevelFileFilter);
    if (name.isEmpty()) return;
    loadLevelFile(name);
}

void EditorWindow::loadLevelFile(const QString& name) {
    lastFileName_ = name;
    const std::optional<std::string> text = readLevelFile(name);
    LevelData data;
    if (!text || !readLevelText(*text, data)) {
        showReadError(prompts_);
        return;
    }
    model_.buildPreview(data);
    refresh();
}

void EditorWindow::saveLevelAs() {
    const LevelTextResult level = model_.levelText();
    switch (level.status) {
        case LevelTextStatus::Ok: break;
        case LevelTextStatus::NoFloor:
            prompts_.message(kIncompleteCaption, kNoFloor, Prompts::Icon::Critical);
            return;
        case LevelTextStatus::CoordinateOutOfRange:
            prompts_.message(kFailureCaption, kTooFarOut, Prompts::Icon::Critical);
            return;
        case LevelTextStatus::Unwritable:
            prompts_.message(kFailureCaption, kSaveError, Prompts::Icon::Critical);
            return;
    }
    const QString name = prompts_.saveFileName(kLevelFileFilter, lastFileName_);
    if (name.isEmpty()) return;
    lastFileName_ = name;

    // The old file stays whole until the new one is completely written.
    QByteArray bytes = QByteArray::fromStdString(level.text);
    bytes += QByteArray(kLevelFileLineEnd.data(), static_cast<qsizetype>(kLevelFileLineEnd.size()));
    if (!writeFileAtomically(name, bytes)) {
        prompts_.message(kFailureCaption, kSaveError, Prompts::Icon::Critical);
        return;
    }
    model_.markSaved();
}

void EditorWindow::quit() {
    if (!prompts_.question(kQuitCaption, kQuitQuestion)) return;
    quitConfirmed_ = true;
    close();
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    // Closing by the title bar asks only when there is something to lose.
    if (quitConfirmed_ || !model_.changed() || prompts_.question(kQuitCaption, kQuitQuestion)) {
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
    const bool on = model_.directHelp();
    if (prompts_.question(kDirectHelpCaption, on ? kDirectHelpOff : kDirectHelpOn)) {
        model_.setDirectHelp(!on);
    }
}

}  // namespace ferlan::editor
