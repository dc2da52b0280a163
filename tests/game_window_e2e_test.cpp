// Runs the real game on an X display (ctest starts this test under xvfb-run)
// and uses it as a person would, with xdotool. A copy of the program in a
// fresh folder keeps the player's own progress file out of it.
#include "test_files.h"
#include "x11_driver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

using ferlan::readFile;
using namespace ferlan::testing;

// The share of pixels in which two pictures of the same size differ.
double difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != b.pixel(x, y);
    }
    return static_cast<double>(differing) / (static_cast<double>(a.width()) * a.height());
}

// A copy of the game in a fresh folder with a new player's progress file,
// started on the display; its window's id.
struct Game {
    Game() {
        const QString game = dir.filePath("ferlan");
        if (!QFile::copy(QStringLiteral(FERLAN_GAME_PATH), game)) return;
        QFile::setPermissions(game, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile file(progress());
        if (!file.open(QIODevice::WriteOnly) || file.write("0\r\n") != 3) return;
        file.close();
        if (!startOnDisplay(process, game, dir.path())) return;
        // A sanitizer build on a busy machine may take many seconds to open its window.
        window = findWindow(QStringLiteral("^Ferlan$"), 60000, &process);
        QThread::msleep(500);
    }
    ~Game() {
        process.kill();
        process.waitForFinished(5000);
    }
    QString progress() const { return dir.filePath("vmos2.dll"); }
    // Clicks `count` times at a point in window pixels, 80 ms apart.
    void click(int x, int y, int count = 1) {
        xdotool({"mousemove", "--window", window, QString::number(x), QString::number(y), "click",
                 "--repeat", QString::number(count), "--delay", "80", "1"});
        QThread::msleep(400);
    }
    QImage shot(const QString& name) { return screenshot(window, dir.filePath(name + ".png")); }

    QTemporaryDir dir;
    QProcess process;
    QString window;
};

TEST(GameEndToEnd, StartLevelOneAndWinItWithTheUpKey) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    Game game;
    ASSERT_FALSE(game.window.isEmpty()) << "no window with the caption Ferlan";
    const QString geometry = xdotool({"getwindowgeometry", "--shell", game.window});
    EXPECT_TRUE(geometry.contains("WIDTH=449") && geometry.contains("HEIGHT=576"))
        << qPrintable(geometry);
    const QImage title = game.shot("title");
    ASSERT_FALSE(title.isNull());

    // "Spiel starten" (twips 1200..5295, 1440..2055) and then "Level 1" (240, 120).
    game.click(216, 116);
    const QImage list = game.shot("list");
    EXPECT_GT(difference(title, list), 0.01) << "the level list did not open";
    game.click(60, 28);
    const QImage field = game.shot("field");
    EXPECT_GT(difference(list, field), 0.3) << "level 1 did not start";

    xdotool({"mousemove", "--window", game.window, "300", "300"});
    xdotool({"keydown", "Up"});
    QThread::msleep(800);
    EXPECT_GT(difference(field, game.shot("moving")), 0.01) << "the ball did not move";
    // Level 1 is won by holding Up: the program records it and goes on.
    const bool won = waitFor([&] { return readFile(game.progress()) == "1\r\n"; }, 20000);
    xdotool({"keyup", "Up"});
    EXPECT_TRUE(won) << "progress file holds: " << readFile(game.progress()).toStdString();
}

TEST(GameEndToEnd, ADoubleClickOnTheRollAtTheHeightOfBeendenLeavesTheGameRunning) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    Game game;
    ASSERT_FALSE(game.window.isEmpty()) << "no window with the caption Ferlan";
    const QImage title = game.shot("title");
    game.click(216, 244);  // "Credits"
    EXPECT_GT(difference(title, game.shot("credits")), 0.01) << "the roll did not start";
    game.click(216, 308, 2);  // the cover, where "Beenden" shows once the roll stops
    EXPECT_EQ(game.process.state(), QProcess::Running) << "the game quit";
    EXPECT_LT(difference(title, game.shot("back")), 0.01) << "the title did not come back";
}

}  // namespace
