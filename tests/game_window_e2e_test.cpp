// Runs the real game on an X display (ctest starts this test under xvfb-run)
// and plays as a person would, with xdotool: "Spiel starten", "Level 1", hold
// Up until the level is won. A copy of the program in a fresh folder keeps the
// player's own progress file out of it.
#include "x11_driver.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

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

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GameEndToEnd, StartLevelOneAndWinItWithTheUpKey) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString game = dir.filePath("ferlan");
    ASSERT_TRUE(QFile::copy(QStringLiteral(FERLAN_GAME_PATH), game));
    QFile::setPermissions(game, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString progress = dir.filePath("vmos2.dll");
    {
        QFile file(progress);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("0\r\n");
    }

    QProcess ferlan;
    ASSERT_TRUE(startOnDisplay(ferlan, game, dir.path()));

    // A sanitizer build on a busy machine may take many seconds to open its window.
    const QString window = findWindow(QStringLiteral("^Ferlan$"), 60000);
    ASSERT_FALSE(window.isEmpty()) << "no window with the caption Ferlan";
    const QString geometry = xdotool({"getwindowgeometry", "--shell", window});
    EXPECT_TRUE(geometry.contains("WIDTH=449")) << qPrintable(geometry);
    EXPECT_TRUE(geometry.contains("HEIGHT=576")) << qPrintable(geometry);
    QThread::msleep(500);
    const QImage title = screenshot(window, dir.filePath("title.png"));
    ASSERT_FALSE(title.isNull());

    // "Spiel starten" (twips 1200..5295, 1440..2055) and then "Level 1" (240, 120).
    xdotool({"mousemove", "--window", window, "216", "116", "click", "1"});
    QThread::msleep(400);
    const QImage list = screenshot(window, dir.filePath("list.png"));
    EXPECT_GT(difference(title, list), 0.01) << "the level list did not open";
    xdotool({"mousemove", "--window", window, "60", "28", "click", "1"});
    QThread::msleep(400);
    const QImage field = screenshot(window, dir.filePath("field.png"));
    EXPECT_GT(difference(list, field), 0.3) << "level 1 did not start";

    xdotool({"mousemove", "--window", window, "300", "300"});
    xdotool({"keydown", "Up"});
    QThread::msleep(800);
    const QImage moving = screenshot(window, dir.filePath("moving.png"));
    EXPECT_GT(difference(field, moving), 0.01) << "the ball did not move";
    // Level 1 is won by holding Up: the program records it and goes on.
    const bool won = waitFor([&] { return readFile(progress) == "1\r\n"; }, 20000);
    xdotool({"keyup", "Up"});
    EXPECT_TRUE(won) << "progress file holds: " << readFile(progress).toStdString();

    ferlan.kill();
    ferlan.waitForFinished(5000);
}

}  // namespace
