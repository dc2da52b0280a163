// Runs the real game on an X display (ctest starts this test under xvfb-run)
// and uses it as a person would, with xdotool. A copy of the program in a
// fresh folder keeps the player's own progress file out of it.
#include "picture_compare.h"
#include "test_files.h"
#include "x11_driver.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

namespace {

using namespace ferlan::testing;
using ferlan::readFile;
using ferlan::writeFile;

// The share of pixels in which two pictures of the same size differ.
double difference(const QImage& a, const QImage& b) {
    const auto d = ferlan::art::comparePictures(a, b);
    return d.sameShape && d.pixels > 0 ? static_cast<double>(d.differing) / d.pixels : 1.0;
}

// A copy of the game in a fresh folder with a new player's progress file,
// started on the display with `arguments`; its window's id.
struct Game {
    explicit Game(const QStringList& arguments = {}) {
        const QString game = dir.filePath("ferlan");
        if (!QFile::copy(QStringLiteral(FERLAN_GAME_PATH), game)) return;
        QFile::setPermissions(game, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!writeFile(progress(), "0\r\n") ||
            !startOnDisplay(process, game, dir.path(), arguments))
            return;
        // A sanitizer build on a busy machine may take many seconds to open its window.
        window = findWindow(QStringLiteral("^Ferlan$"), 60000, &process);
        QThread::msleep(500);
    }
    QString progress() const { return dir.filePath("vmos2.dll"); }
    // Clicks `count` times at a point in window pixels, 80 ms apart.
    void click(int x, int y, int count = 1) {
        xdotool({"mousemove", "--window", window, QString::number(x), QString::number(y), "click",
                 "--repeat", QString::number(count), "--delay", "80", "1"});
        QThread::msleep(400);
    }
    QImage shot(const QString& name) { return screenshot(window, dir.filePath(name + ".png")); }
    // The window's picture once `holds` is true of it, or a failure and the
    // last one after 20 s: a busy machine draws late, and no fixed pause can
    // know how late.
    QImage shotWhen(const QString& name, const std::function<bool(const QImage&)>& holds) {
        QImage image;
        EXPECT_TRUE(waitFor(
            [&] {
                image = shot(name);
                return !image.isNull() && holds(image);
            },
            20000))
            << "never on the screen: " << name.toStdString();
        return image;
    }
    // The window's picture once two in a row agree: the screen has settled.
    QImage settledShot(const QString& name) {
        QImage previous = shot(name);
        return shotWhen(name, [&](const QImage& image) {
            const bool same = difference(previous, image) == 0.0;
            previous = image;
            return same;
        });
    }

    QTemporaryDir dir;
    TestProcess process;
    QString window;
};

TEST(GameEndToEnd, FromTheTitleToAWonLevelOneWithTheKeyboardAlone) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    Game game;
    ASSERT_FALSE(game.window.isEmpty()) << "no window with the caption Ferlan";
    const QString geometry = xdotool({"getwindowgeometry", "--shell", game.window});
    EXPECT_TRUE(geometry.contains("WIDTH=449") && geometry.contains("HEIGHT=576"))
        << qPrintable(geometry);
    // The pointer rests on the background, where it moves no mark.
    xdotool({"mousemove", "--window", game.window, "20", "560"});
    const QImage title = game.settledShot("title");
    xdotool({"key", "Return"});  // "Spiel starten", marked from the start
    const QImage list = game.shotWhen(
        "the level list", [&](const QImage& shot) { return difference(title, shot) > 0.01; });
    xdotool({"key", "Return"});  // the highest unlocked level: 1
    game.shotWhen("level 1", [&](const QImage& shot) { return difference(list, shot) > 0.3; });
    xdotool({"keydown", "Up"});
    const bool won = waitFor([&] { return readFile(game.progress()) == "1\r\n"; }, 20000);
    xdotool({"keyup", "Up"});
    EXPECT_TRUE(won) << "progress file holds: " << readFile(game.progress()).toStdString();
    const QString times = game.dir.filePath("bestzeiten.txt");
    EXPECT_TRUE(waitFor([&] { return readFile(times).startsWith("1 "); }, 20000))
        << "times file holds: " << readFile(times).toStdString();
    // Back on the list, the best time stands under "Level 1", where nothing was.
    xdotool({"key", "Escape"});
    const QRect underLevel1(20, 44, 56, 11);
    const auto timeShows = [&](const QImage& shot) {
        return difference(list.copy(underLevel1), shot.copy(underLevel1)) > 0.05;
    };
    game.shotWhen("a best time under Level 1", timeShows);
}

TEST(GameEndToEnd, ADoubleClickOnTheRollAtTheHeightOfBeendenLeavesTheGameRunning) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    Game game;
    ASSERT_FALSE(game.window.isEmpty()) << "no window with the caption Ferlan";
    const QImage title = game.settledShot("title");
    game.click(216, 244);  // "Credits"
    game.shotWhen("the roll", [&](const QImage& shot) { return difference(title, shot) > 0.01; });
    game.click(216, 308, 2);  // the cover, where "Beenden" shows once the roll stops
    game.shotWhen("the title again",
                  [&](const QImage& shot) { return difference(title, shot) < 0.01; });
    // Both clicks have reached the game by now; a quit would follow at once.
    EXPECT_FALSE(game.process.waitForFinished(1500)) << "the game quit";
}

TEST(GameEndToEnd, PlaysALevelFileFromItsCommandLineAndFromTheOpenDialog) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    QTemporaryDir levels;
    const QString broken = levels.filePath("kaputt.lev"), empty = levels.filePath("leer.lev");
    ASSERT_TRUE(writeFile(broken, "kein Level") && writeFile(empty, "9 ;1;;;;\r\n"));
    Game game({broken});
    const QString error = findWindow("^Fehler$", 60000, &game.process);
    ASSERT_TRUE(!error.isEmpty() && focusWindow(error)) << "the command line's file never read";
    xdotool({"key", "Return"});
    ASSERT_TRUE(focusWindow(game.window)) << "game never focused";
    xdotool({"mousemove", "--window", game.window, "20", "560"});
    const QImage title = game.settledShot("title");
    xdotool({"key", "Down", "Return"});  // "Level laden"
    // The system's own dialog speaks German too.
    ASSERT_TRUE(answerFileDialog("^Öffnen$", empty)) << "no dialog \"Öffnen\"";
    game.shotWhen("the level", [&](const QImage& shot) { return difference(title, shot) > 0.3; });
}

}  // namespace
