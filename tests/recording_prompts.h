// Answers the programs' message boxes and dialogs in tests and records them.
#pragma once

#include <common/prompts.h>

#include <QList>
#include <QString>
#include <QStringList>

namespace ferlan {

class RecordingPrompts : public Prompts {
public:
    struct Shown {
        QString kind;  // "message", "question", "open", "save"
        QString caption;
        QString text;  // for dialogs: the filter
        Icon icon = Icon::None;
        QString preset;  // save dialog only

        // Kind, caption, text and icon in one line, to compare at once.
        QString line() const {
            const char* icons[] = {"", " | critical", " | information"};
            return kind + " | " + caption + " | " + text + icons[static_cast<int>(icon)];
        }
    };
    // The line of an error box.
    static QString error(const QString& caption, const QString& text) {
        return Shown{"message", caption, text, Icon::Critical, {}}.line();
    }

    void message(const QString& caption, const QString& text, Icon icon) override {
        shown.append({"message", caption, text, icon, {}});
    }
    bool question(const QString& caption, const QString& text) override {
        shown.append({"question", caption, text, Icon::None, {}});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QString openFileName(const QString& filter) override {
        shown.append({"open", {}, filter, Icon::None, {}});
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
    QString saveFileName(const QString& filter, const QString& presetName) override {
        shown.append({"save", {}, filter, Icon::None, presetName});
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    QList<Shown> shown;
    QList<bool> answers;    // answers to questions, in order (No when empty)
    QStringList fileNames;  // answers to file dialogs, in order (cancel when empty)
};

}  // namespace ferlan
