// The player's progress through the built-in levels: "vmos2.dll", one line of
// decimal digits, the highest built-in level won (0 for a new player).
#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace ferlan {

inline constexpr int kHighestStoredProgress = 29;  // winning level 30 unlocks nothing more

class ProgressFile {
public:
    static constexpr const char* kFileName = "vmos2.dll";

    // The file lives beside the program. A program installed where its user
    // cannot write keeps the file in `userDataDir` instead, and reads the
    // installed one until the first win has written the user's own.
    // `canWrite` tells whether a folder takes new files (by default: its
    // permissions say so).
    using FolderProbe = std::function<bool(const QString& folder)>;
    ProgressFile(QString programDir, QString userDataDir, FolderProbe canWrite = {});

    // The folder of the running program and the platform's per-user data folder.
    static ProgressFile forThisProgram();

    // An installed game, told by the new player's file in its data folder,
    // keeps the player's file in `userDataDir` and reads the installed one
    // until the first win; it never writes beside its programs, whoever runs
    // it. Elsewhere (a build folder) the file lives beside the program.
    static ProgressFile forProgram(const QString& programDir, const QString& installedDataDir,
                                   const QString& userDataDir);

    // The stored value, or nothing for a missing, unreadable or out-of-range
    // file (above 29). Only the first two characters count.
    std::optional<int> read() const;

    enum class WriteResult { Written, NotNeeded, Failed };

    // Records that built-in level `won` was won while `highestShown` was the
    // highest unlocked label index. Writes only for a level below 30 above
    // that index, and never lowers what the file already holds.
    WriteResult recordWin(int won, int highestShown, QString* error = nullptr) const;

    // Where reading looks now, and where a write goes. Other files of the
    // player's (`fileName`) follow the same folder rules.
    QString readPath(const char* fileName = kFileName) const;
    QString writePath(const char* fileName = kFileName) const;

    // The message when the level list cannot be opened.
    static QString missingMessage();

private:
    bool programDirWritable() const;

    QString programDir_;
    QString userDataDir_;
    FolderProbe canWrite_;
};

}  // namespace ferlan
