// The editor's window "Form1": the preview with its scroll bar, the edit
// strip, the menus, and the handlers that tie them to the level model.
#pragma once

#include <Editor/model/editor_model.h>
#include <common/prompts.h>

#include <QMainWindow>

#include <memory>

class QMenu;
class QScrollBar;

namespace ferlan::editor {

class EditStrip;
class PreviewWidget;

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without prompts the window asks through the real dialogs.
    explicit EditorWindow(Prompts* prompts = nullptr, QWidget* parent = nullptr);
    ~EditorWindow() override;

    const EditorModel& model() const { return model_; }
    PreviewWidget* preview() const { return preview_; }
    // The inner height of the window below the menu bar, in twips.
    Twips clientHeight() const;

    // The handlers, named after the controls and menu items that run them.
    void insertPoleBlock();
    void insertChargedBall();
    void insertPolariser();
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
    void showInfo();
    void showUsage();
    void toggleDirectHelp();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void showInsertRefusal(const InsertResult& result);
    // Brings every widget in line with the model after an operation.
    void refresh();

    EditorModel model_;
    std::unique_ptr<Prompts> ownPrompts_;
    Prompts& prompts_;
    PreviewWidget* preview_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    EditStrip* strip_ = nullptr;
    QMenu* contextMenu_ = nullptr;
    // The file dialogs offer the name last chosen in this run.
    QString lastFileName_;
    bool quitConfirmed_ = false;
};

}  // namespace ferlan::editor
