// "Testspielen": the level as saving would write it goes into a temporary
// file, which the game program plays as a loaded level (so the player's
// progress is not touched). The file goes when that game ends; the editor
// stays usable meanwhile.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

namespace ferlan::editor {

class TestPlay : public QObject {
public:
    using QObject::QObject;

    // The game beside the editor when installed, the build's game when the
    // editor runs from the build; empty when there is none.
    static QString findGame();
    // Tests put a stand-in in the game's place (empty: none found).
    void setGame(const QString& program) { game_ = program; }

    enum class Start { Started, NoGame, NoFile };
    // `levelFile`: the bytes saving would write.
    Start start(const QByteArray& levelFile);
    int running() const;

private:
    // Looked for at the first start, not when the editor opens.
    std::optional<QString> game_;
};

}  // namespace ferlan::editor
