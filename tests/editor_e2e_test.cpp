// Runs the real editor on an X display (ctest starts this test under
// xvfb-run) and drives it as a person would, with xdotool: choose a floor,
// insert a pole block, drag it, insert a charged ball and take it back with
// Ctrl+Z, save through the file dialog, quit.
#include "test_files.h"
#include "x11_driver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

using namespace ferlan::testing;
using ferlan::readFile;
using ferlan::writeFile;

// The window's height with its menu bar; the client area is the bottom 578 pixels.
int windowHeight(const QString& window) {
    const QString shell = xdotool({"getwindowgeometry", "--shell", window});
    for (const QString& line : shell.split('\n')) {
        if (line.startsWith("HEIGHT=")) return line.mid(7).toInt();
    }
    return 0;
}

TEST(EditorEndToEnd, InsertDragUndoAndSaveWriteTheLevelFile) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.filePath("home");
    QDir().mkpath(home);

    TestProcess editor;
    ASSERT_TRUE(startOnDisplay(editor, QStringLiteral(FERLAN_EDITOR_PATH), home));

    // A sanitizer build on a busy machine may take many seconds to open its window.
    const QString window = findWindow("Ferlan-Editor$", 60000, &editor);
    ASSERT_FALSE(window.isEmpty())
        << "no editor window; the editor's exit code: " << editor.exitCode();
    waitFor([&] { return windowHeight(window) > 578; });
    const int clientTop = windowHeight(window) - 578;
    auto clientPoint = [&](int x, int y) {
        return QStringList{"mousemove", "--window", window, QString::number(x),
                           QString::number(clientTop + y)};
    };
    auto click = [&](int x, int y) {
        xdotool(clientPoint(x, y) + QStringList{"click", "1", "sleep", "0.2"});
    };

    click(480 + 40, 72 + 32);   // the first floor picture in the edit strip
    click(480 + 80, 336 + 10);  // "Ferlan einfügen": krp at (2760, 4147.5) twips
    // Grab it at (2850, 4200) twips, 90 and 52.5 twips into the rod, and drag
    // it to (1500, 2250) twips over the floor.
    xdotool(clientPoint(190, 280) + QStringList{"mousedown", "1", "sleep", "0.3"});
    for (int step = 1; step <= 5; ++step) {
        xdotool(clientPoint(190 - 18 * step, 280 - 26 * step) + QStringList{"sleep", "0.1"});
    }
    xdotool(clientPoint(100, 150) + QStringList{"sleep", "0.3", "mouseup", "1", "sleep", "0.3"});
    click(480 + 80, 448 + 10);  // "Ferlankugel einfügen"
    xdotool({"key", "--window", window, "ctrl+z", "sleep", "0.3"});

    const QString path = dir.filePath("gespeichert.lev");
    xdotool({"key", "--window", window, "ctrl+s"});
    ASSERT_TRUE(answerFileDialog("^Speichern unter$", path)) << "no save dialog";
    ASSERT_TRUE(waitFor([&] { return QFile(path).size() > 0; })) << "nothing saved";

    EXPECT_EQ(readFile(path).toStdString(), "9 ;1;krpp1410 2198 ,;;;\r\n");

    // Without a window manager the editor gets the keyboard back only when asked to.
    ASSERT_TRUE(focusWindow(window)) << "editor never focused";
    xdotool({"key", "ctrl+q"});
    ASSERT_FALSE(findWindow("^Beenden\\?$").isEmpty()) << "no question before quitting";
    xdotool({"key", "Return"});
    EXPECT_TRUE(editor.waitForFinished(10000));
    EXPECT_EQ(editor.exitCode(), 0);
    // The saved file heads "Zuletzt geöffnet", kept in the editor's own settings.
    EXPECT_TRUE(readFile(home + "/.config/Ferlan/ferlan-editor.conf").contains("gespeichert.lev"));
}

// "Testspielen" (F6) plays the level named on the editor's command line in
// the game beside the editor, as a loaded level: the player's progress stays
// as it was, and the level's temporary file goes with the game.
TEST(EditorEndToEnd, F6PlaysTheLevelInTheGameBesideTheEditor) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    QTemporaryDir dir;
    const QString editorCopy = dir.filePath("ferlan-editor");
    const QString progress = dir.filePath("vmos2.dll");
    const QString level = dir.filePath("leer.lev");
    ASSERT_TRUE(QFile::copy(QStringLiteral(FERLAN_EDITOR_PATH), editorCopy) &&
                QFile::copy(QStringLiteral(FERLAN_GAME_PATH), dir.filePath("ferlan")) &&
                writeFile(progress, "0\r\n") && writeFile(level, "9 ;1;;;;\r\n"));
    const auto levelFiles = [&] { return QDir(dir.filePath("tmp")).entryList({"*.lev"}); };

    TestProcess editor;
    ASSERT_TRUE(startOnDisplay(editor, editorCopy, dir.path(), {level}));
    const QString window = findWindow("^leer\\.lev.*Ferlan-Editor$", 60000, &editor);
    ASSERT_FALSE(window.isEmpty()) << "no editor window with the level";
    ASSERT_TRUE(focusWindow(window)) << "editor never focused";
    xdotool({"key", "F6"});

    const QString game = findWindow("^Ferlan$", 60000);
    ASSERT_FALSE(game.isEmpty()) << "no game window";
    EXPECT_EQ(levelFiles().size(), 1) << "the level's file while the game runs";
    // The ball rises through the empty level to the exit and wins it.
    ASSERT_TRUE(focusWindow(game)) << "game never focused";
    xdotool({"keydown", "Up"});
    QThread::msleep(6000);
    xdotool({"keyup", "Up"});
    xdotool({"windowkill", game});
    EXPECT_TRUE(waitFor([&] { return levelFiles().isEmpty(); }, 20000))
        << "the level's file outlived the game";
    EXPECT_EQ(readFile(progress), QByteArray("0\r\n")) << "the player's progress changed";
    EXPECT_EQ(editor.state(), QProcess::Running) << "the editor ended with the game";
}

}  // namespace
