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
    void Command1_Click();
    void Command2_Click();
    void Command6_Click();
    void HScroll1_Change(int rows);
    void VScroll1_Change(int value);
    void Boden_Click(int texture);
    void Label1_Click(int index);
    void cut_Click();
    void mnunew_Click();
    void mnuload_Click();
    void mnusave_Click();
    void mnuend_Click();
    void mnuinfo_Click();
    void mnudo_Click();
    void mnuturn_Click();

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
