// The editor's window "Form1": the preview with its scroll bar, the edit
// strip, the menus, and the handlers that tie them to the level model.
#pragma once

#include <Editor/model/edit_history.h>
#include <Editor/model/editor_model.h>
#include <Editor/model/level_check.h>
#include <Editor/ui/recent_files.h>
#include <common/prompts.h>

#include <QElapsedTimer>
#include <QMainWindow>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QDialog;
class QLabel;
class QScrollBar;
class QTimer;

namespace ferlan::editor {

class EditStrip;
class PreviewWidget;
class TestPlay;

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without prompts the window asks through the real dialogs.
    explicit EditorWindow(Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~EditorWindow() override;

    const EditorModel& model() const { return model_; }
    const LevelDocument& document() const { return model_.document(); }
    PreviewWidget* preview() const { return preview_; }
    // The inner height of the window below the menu bar, in twips.
    Twips clientHeight() const;

    // The handlers, named after the controls and menu items that run them.
    void insertFerlan();
    void insertKugel();
    void insertTransformator();
    void changeHeight(int rows);
    void scrollPreview(int value);
    void chooseFloor(int texture);
    void showDirectHelp(int index);
    void deleteElement();
    void newLevel();
    void loadLevel();
    // What "Laden" does with the file chosen in its dialog.
    void loadLevelFile(const QString& name);
    void saveLevelAs();
    void quit();
    // Plays the level as it stands in the game, beside the editor.
    void testPlay();
    void showInfo();
    void showUsage();
    void toggleDirectHelp();
    void undo();
    void redo();
    // Starts the solver on the level; the result follows in a message box.
    void checkLevel();
    void showRoute();

    // Tests give the check a short budget; the solver's own by default.
    void setSolveOptions(const SolveOptions& options) { solveOptions_ = options; }
    bool checkRunning() const { return checkRun_ != nullptr && !checkRun_->finished(); }
    // The search is done and the player model plays the level.
    bool checkPlaytesting() const { return checkRunning() && checkRun_->playtesting(); }
    // The last successful check, until the level changes.
    const std::optional<LevelCheck>& lastCheck() const { return lastCheck_; }
    bool changed() const { return history_.changed(); }
    // The file the level was last loaded from or saved to; empty for a new one.
    const QString& currentFile() const { return currentFile_; }
    TestPlay& testPlayer() const { return *testPlay_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void fillRecentMenu();
    // Asks before unsaved changes are lost; true to go on.
    bool mayDiscardChanges(const QString& caption, const QString& question);
    void setCurrentFile(const QString& name);
    // The bytes saving writes, or nothing once the user was told why the
    // level cannot be written (`unwritable` for a level the writer refuses).
    std::optional<QByteArray> levelFileBytes(const QString& unwritable);
    void showInsertRefusal(const InsertResult& result);
    // After an operation that changed the level: notes the step in the
    // history (a changed level loses its checked route) and shows the level.
    void levelChanged(EditStep step);
    void forgetCheck();
    void showCheckProgress();
    void finishCheck();
    // Brings every widget in line with the model after an operation.
    void refresh();

    EditorModel model_;
    EditHistory history_{model_.document()};
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts& prompts_;
    PreviewWidget* preview_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    EditStrip* strip_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* routeAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QLabel* outsideHint_ = nullptr;
    RecentFiles recentFiles_;
    TestPlay* testPlay_ = nullptr;
    // Everything that changes the level, shut while a check runs.
    QList<QAction*> levelActions_;

    SolveOptions solveOptions_;
    std::unique_ptr<LevelCheckRun> checkRun_;
    QDialog* checkProgress_ = nullptr;
    QLabel* checkProgressLabel_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QElapsedTimer checkClock_;
    std::optional<LevelCheck> lastCheck_;
    // The file dialogs offer the name last chosen in this run.
    QString lastFileName_;
    QString currentFile_;
    bool quitConfirmed_ = false;
};

}  // namespace ferlan::editor
