// The level files last opened or saved, newest first, kept in the user's
// settings between runs of the editor.
#pragma once

#include <QString>
#include <QStringList>

namespace ferlan::editor {

class RecentFiles {
public:
    static constexpr int kMaxFiles = 5;

    // The stored list without the files that no longer exist.
    QStringList files() const;
    // Puts `path` at the top, once, and drops the oldest beyond five.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

private:
    static void store(const QStringList& files);
};

}  // namespace ferlan::editor
