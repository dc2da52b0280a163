// Every message box and file dialog of both programs goes through this
// interface, so tests can answer them without a person at the screen.
#pragma once

#include <QString>

class QWidget;

namespace ferlan {

class Prompts {
public:
    enum class Icon { None, Critical, Information };

    virtual ~Prompts() = default;

    // A box with a single OK button.
    virtual void message(const QString& caption, const QString& text, Icon icon) = 0;
    // A question with Yes and No and no icon; true for Yes.
    virtual bool question(const QString& caption, const QString& text) = 0;
    // The open dialog; an empty name means cancelled.
    virtual QString openFileName(const QString& filter) = 0;
    // The save dialog, opening with `presetName`; an empty name means cancelled.
    virtual QString saveFileName(const QString& filter, const QString& presetName) = 0;
};

// The real dialogs, parented to a window.
class DialogPrompts : public Prompts {
public:
    explicit DialogPrompts(QWidget* parent) : parent_(parent) {}

    void message(const QString& caption, const QString& text, Icon icon) override;
    bool question(const QString& caption, const QString& text) override;
    QString openFileName(const QString& filter) override;
    QString saveFileName(const QString& filter, const QString& presetName) override;

private:
    QWidget* parent_;
};

// The file dialogs' filter for level files.
inline const QString kLevelFileFilter = QStringLiteral("Level (*.lev)");

// The reader's one message for any level text or file that cannot be used.
void showReadError(Prompts& prompts);

}  // namespace ferlan
