// The game window's clockwork without a window: the fixed tick rate, the
// alarm lamp, the credits roll, the progress file and the level file's size.
#include "test_files.h"

#include <Spiel/sim/rules.h>
#include <Spiel/ui/alarm_lamp.h>
#include <Spiel/ui/credits_roll.h>
#include <Spiel/ui/fixed_rate.h>
#include <Spiel/ui/frame_clock.h>
#include <Spiel/ui/progress_file.h>
#include <common/level_file.h>
#include <leveldata/level_text.h>

#include "superuser_bounds.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <tuple>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

namespace ferlan {
namespace {

constexpr qint64 kMs = 1'000'000;

TEST(FixedRate, RunsTheTicksThatFellDueAndDropsAStall) {
    FixedRate rate(64, FrameClock::kMaxTicksCaughtUp);
    EXPECT_EQ(rate.take(0), 0);  // not started
    rate.start(1000 * kMs);
    EXPECT_EQ(rate.take(1000 * kMs), 0);
    EXPECT_EQ(rate.take(1015 * kMs), 0);  // a tick lasts 15.625 ms
    EXPECT_EQ(rate.take(1016 * kMs), 1);
    EXPECT_EQ(rate.take(1016 * kMs), 0);
    EXPECT_EQ(rate.take(1047 * kMs), 2);  // ticks 2 and 3 (46.875 ms)
    // Over one second of no events: eight ticks, then on at the normal rate.
    EXPECT_EQ(rate.take(2100 * kMs), 8);
    EXPECT_EQ(rate.take(2100 * kMs), 0);
    EXPECT_EQ(rate.take(2116 * kMs), 1);
    // The wake-up comes at the next tick's due moment, not a nanosecond before it.
    EXPECT_EQ(rate.take(rate.nextDueNs() - 1), 0);
    EXPECT_EQ(rate.take(rate.nextDueNs()), 1);
    // Started again, it counts from the new start.
    rate.start(5000 * kMs);
    EXPECT_EQ(rate.take(5015 * kMs), 0);
    EXPECT_EQ(rate.take(5016 * kMs), 1);
}

TEST(FixedRate, SixtyFourTicksInEverySecond) {
    FixedRate rate(64, 8);
    rate.start(0);
    int ticks = 0;
    for (qint64 t = 0; t <= 10'000 * kMs; t += 5 * kMs) ticks += rate.take(t);
    EXPECT_EQ(ticks, 640);
}

TEST(AlarmLamp, GreenThenAlternatingRedAndAnAlarmBetweenTwoEventsStillShows) {
    AlarmLamp lamp;
    EXPECT_EQ(lamp.picture(), AlarmLamp::Picture::Green);
    std::vector<AlarmLamp::Picture> shown;
    for (bool on : {true, true, true, false, true}) {
        lamp.event(on);
        shown.push_back(lamp.picture());
    }
    using P = AlarmLamp::Picture;
    EXPECT_EQ(shown, (std::vector<P>{P::Alarm1, P::Alarm2, P::Alarm1, P::Green, P::Alarm2}));
    lamp.event(false);
    lamp.noteTick(true);
    lamp.noteTick(false);
    EXPECT_TRUE(lamp.event(false));
    EXPECT_EQ(lamp.picture(), AlarmLamp::Picture::Alarm1);
    EXPECT_TRUE(lamp.event(false));
    EXPECT_FALSE(lamp.event(false));  // nothing to redraw
}

TEST(CreditsRoll, TheNameLineDriftsTowardTheMouseAndTheRoleLineAway) {
    const double start = 6735 / 2.0 - 3255 / 2.0;
    CreditsRoll fresh(6735, 8640, [] { return 0.0; });
    fresh.start();
    EXPECT_EQ(fresh.page(), 1);
    EXPECT_EQ(fresh.roleLine().text, QStringLiteral("Programmierung:"));
    EXPECT_EQ(fresh.roleLine().colour, QColor(0, 0, 0));
    EXPECT_EQ(fresh.nameLine().colour, QColor(255, 255, 255));
    // The mouse's x, and the name line's shift after one step.
    const std::pair<double, double> cases[] = {{0, -100}, {6000, 100}, {start + 3255 / 2.0, 0}};
    for (const auto& [mouseX, nameShift] : cases) {
        SCOPED_TRACE(mouseX);
        CreditsRoll roll(6735, 8640, [] { return 0.0; });
        roll.start();
        roll.step(mouseX);
        EXPECT_DOUBLE_EQ(roll.nameLine().left, start + nameShift);
        EXPECT_DOUBLE_EQ(roll.roleLine().left, start - nameShift);
        EXPECT_DOUBLE_EQ(roll.nameLine().top, -850);
        EXPECT_DOUBLE_EQ(roll.roleLine().top, -1330);
    }
    // Far to the left the name line stops once its Left is 0 or less.
    CreditsRoll roll(6735, 8640, [] { return 0.0; });
    roll.start();
    for (int i = 0; i < 30; ++i) roll.step(0);
    EXPECT_LE(roll.nameLine().left, 0);
    EXPECT_GT(roll.nameLine().left, -100);
}

TEST(CreditsRoll, PagesFollowEachOtherWithRandomColours) {
    double next = 0.99;
    CreditsRoll roll(6735, 8640, [&] { return next; });
    roll.start();
    const double mouse = 6735 / 2.0;
    QStringList roles;
    QStringList names;
    for (int page = 0; page < 9; ++page) {
        const int before = roll.page();
        int steps = 0;
        while (roll.page() == before && steps < 1000) {
            roll.step(mouse);
            ++steps;
        }
        ASSERT_LT(steps, 1000);
        roles << roll.roleLine().text;
        names << roll.nameLine().text;
        EXPECT_DOUBLE_EQ(roll.nameLine().top, -1000);
        EXPECT_EQ(roll.nameLine().colour, QColor(64, 64, 64));  // 0.99 * 4 rounds down to 3
    }
    EXPECT_EQ(roles, (QStringList{"Grafik:", "Tester:", "Tester:", "Tester:", "Leveldesign:",
                                  "Leveldesign:", "Leveldesign:", "Programmierung:", "Grafik:"}));
    const QString n1 = CreditsRoll::creditedName(1), n2 = CreditsRoll::creditedName(2),
                  n3 = CreditsRoll::creditedName(3);
    EXPECT_EQ(names, (QStringList{n1, n2, n3, n1, n1, n2, n3, n1, n1}));
    EXPECT_EQ(roll.page(), 2);
}

// ------------------------------------------------------------ progress file

TEST(LevelFile, IsReadUpToTheLargestSizeALevelFileMayHave) {
    QTemporaryDir dir;
    for (const std::uintmax_t size : {65536, 65537}) {  // 64 KiB, as the README says
        const QString path = dir.filePath(QString::number(size));
        ASSERT_TRUE(writeFile(path, QByteArray(static_cast<qsizetype>(size), ' ')));
        EXPECT_EQ(readLevelFile(path).has_value(), size == 65536) << size;
    }
}

TEST(ProgressFile, ReadsTheFirstTwoCharactersLeniently) {
    // The file's content, and the number read (-1: the error).
    const std::pair<const char*, int> cases[] = {
        {"0\r\n", 0},    {"7\r\n", 7}, {"29\r\n", 29}, {"30\r\n", -1}, {"7x", 7},  {" 7", 7},
        {"123\r\n", 12}, {"abc", 0},   {"", 0},        {"-1", -1},     {"2.5", 2}, {"0.5", 0},
    };
    for (const auto& [content, expected] : cases) {
        SCOPED_TRACE(content);
        QTemporaryDir dir;
        ASSERT_TRUE(writeFile(dir.filePath("vmos2.dll"), content));
        const std::optional<int> read = ProgressFile(dir.path(), {}).read();
        EXPECT_EQ(read, expected < 0 ? std::nullopt : std::optional(expected));
    }
    QTemporaryDir dir;
    EXPECT_FALSE(ProgressFile(dir.path(), {}).read().has_value());  // missing
    QDir(dir.path()).mkdir("vmos2.dll");
    EXPECT_FALSE(ProgressFile(dir.path(), {}).read().has_value());  // a folder
    QTemporaryDir pipeDir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipeDir.filePath("vmos2.dll")).constData(), 0600), 0);
    EXPECT_FALSE(ProgressFile(pipeDir.path(), {}).read().has_value());  // a pipe must not block
}

TEST(ProgressFile, WritesOnlyAWinAboveTheListAndNeverLowers) {
    // The file's content, the level won, the highest label shown, and the file and the result
    // after the win.
    using R = ProgressFile::WriteResult;
    const std::tuple<const char*, int, int, const char*, R> cases[] = {
        {"4\r\n", 5, 4, "5\r\n", R::Written},
        {"5\r\n", 3, 5, "5\r\n", R::NotNeeded},   // an earlier level replayed
        {"4\r\n", 30, 4, "4\r\n", R::NotNeeded},  // the last level unlocks nothing
        {"9", 29, 28, "29\r\n", R::Written},      // the highest progress
        {"9\r\n", 1, 0, "9\r\n", R::NotNeeded},   // another session got further
        {"zz", 1, 0, "1\r\n", R::Written},        // reads as 0
        {"99", 2, 1, "2\r\n", R::Written},        // a broken file is mended
    };
    for (const auto& [stored, won, highestShown, after, result] : cases) {
        SCOPED_TRACE(testing::Message() << stored << " won " << won);
        QTemporaryDir dir;
        ASSERT_TRUE(writeFile(dir.filePath("vmos2.dll"), stored));
        EXPECT_EQ(ProgressFile(dir.path(), {}).recordWin(won, highestShown), result);
        EXPECT_EQ(readFile(dir.filePath("vmos2.dll")), QByteArray(after));
    }
}

// The rule, for a program folder that takes no new files.
struct UserFolderFallback {
    QTemporaryDir program, home;
    const QString user = home.filePath("data/Ferlan");
    UserFolderFallback() { EXPECT_TRUE(writeFile(program.filePath("vmos2.dll"), "3\r\n")); }
    void check(const ProgressFile& progress) const {
        EXPECT_EQ(progress.writePath(), QDir(user).filePath("vmos2.dll"));
        EXPECT_EQ(progress.read(), 3);  // the installed file until the first win
        EXPECT_EQ(progress.recordWin(4, 3), ProgressFile::WriteResult::Written);
        EXPECT_EQ(readFile(QDir(user).filePath("vmos2.dll")), QByteArray("4\r\n"));
        EXPECT_EQ(readFile(program.filePath("vmos2.dll")), QByteArray("3\r\n"));
        EXPECT_EQ(progress.read(), 4);
        EXPECT_EQ(progress.recordWin(4, 3), ProgressFile::WriteResult::NotNeeded);
    }
};

TEST(ProgressFile, AReadOnlyProgramFolderSendsTheFileToTheUsersFolder) {
    const UserFolderFallback folders;
    const ReadOnlyFolder readOnly(folders.program.path());
    if (!readOnly.effective()) GTEST_SKIP() << readOnly.why();
    folders.check(ProgressFile(folders.program.path(), folders.user));
}

TEST(ProgressFile, AFolderThatTakesNoFilesSendsTheFileToTheUsersFolder) {
    const UserFolderFallback folders;
    const QString program = folders.program.path();
    folders.check(ProgressFile(program, folders.user,
                               [&](const QString& folder) { return folder != program; }));
    // With no user's folder known, the program's stays the place.
    EXPECT_EQ(ProgressFile(program, {}, [](auto&) { return false; }).writePath(),
              folders.program.filePath("vmos2.dll"));
}

TEST(ProgressFile, AFailedWriteIsReportedAndChangesNothing) {
    QTemporaryDir program;
    ASSERT_TRUE(writeFile(program.filePath("vmos2.dll"), "3\r\n"));
    // Nothing can be created below /proc, not even by the superuser.
    const ProgressFile progress(program.path(), "/proc/ferlan-test",
                                [](const QString&) { return false; });
    QString error;
    EXPECT_EQ(progress.recordWin(4, 3, &error), ProgressFile::WriteResult::Failed);
    EXPECT_TRUE(error.startsWith("/proc/ferlan-test/vmos2.dll: ") && !error.endsWith(": "));
    EXPECT_EQ(progress.read(), 3);
}

}  // namespace
}  // namespace ferlan
