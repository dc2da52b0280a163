// A game window with a program folder and progress file of its own, for the
// window tests; `PromptsType` answers its message boxes and dialogs.
#pragma once

#include "recording_prompts.h"
#include "test_files.h"

#include <Spiel/ui/game_window.h>
#include <Spiel/ui/progress_file.h>

#include <QTemporaryDir>

#include <memory>

namespace ferlan {

template <typename PromptsType = RecordingPrompts>
struct GameFixture {
    // A null `progress` leaves the program folder without a progress file.
    explicit GameFixture(const QByteArray& progress = "0\r\n",
                         ProgressFile::FolderProbe probe = {}) {
        if (!progress.isNull() && !writeFile(progressPath(), progress))
            qFatal("cannot write %s", qPrintable(progressPath()));
        window = std::make_unique<GameWindow>(
            ProgressFile(dir.path(), dir.filePath("user"), std::move(probe)), &prompts);
        window->show();
    }

    QString progressPath() const {
        return dir.filePath(QString::fromLatin1(ProgressFile::kFileName));
    }
    bool titleShown() const { return window->item("Spielstarten")->visible(); }
    int shownLevels() const {
        int n = 0;
        for (int i = 0; i < kBuiltinLevelCount; ++i) n += window->levelLabel(i)->visible();
        return n;
    }

    QTemporaryDir dir;
    PromptsType prompts;
    std::unique_ptr<GameWindow> window;
};

}  // namespace ferlan
