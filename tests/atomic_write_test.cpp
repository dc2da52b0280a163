// A writer killed at any moment leaves the old file or the new one, whole, and
// nothing a program would open beside it. A child process writes in a tight
// loop through the real code and reports every finished write; the parent
// kills it with SIGKILL a random short while after a random number of them,
// a few dozen times, and looks at what is left each time. Counting writes
// rather than time keeps the test meaningful on a machine of any speed or
// load.
#include "test_files.h"

#include <Spiel/ui/best_times_file.h>
#include <common/atomic_file.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <set>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ferlan;

namespace {

// The longest level there is (25 poles, 10 balls, 5 polarisers) and a short one.
const QByteArray kFull = "23;4;" + QByteArray("grum5715 400  ,").repeated(25) + ";" +
                         QByteArray("up645  900  ,").repeated(10) + ";" +
                         QByteArray("am3075 2000 ,").repeated(5) + ";\r\n";
const QByteArray kSmall = "9 ;1;klpp180  4470 ,;;;\r\n";

// Kills a child that runs `write(n)` for n = 1, 2, ... after a random number
// of finished writes and a random short while, 40 times; each time what is
// left at `path` must be `whole`, and beside it only a leftover temporary.
// Returns the contents seen.
std::set<QByteArray> killWhileWriting(const QString& path, const std::function<void(int n)>& write,
                                      const std::function<bool(const QByteArray&)>& whole) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> finishedWrites(1, 4);
    std::uniform_int_distribution<long> delay(0, 2000);
    // Replacing a file takes a named temporary and a rename; a kill between
    // the two leaves the temporary. Its name ends in six random characters,
    // so neither program ever opens it: the game reads only its own file
    // names, the dialogs list only "*.lev".
    const QString name = QFileInfo(path).fileName();
    const QRegularExpression leftoverName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(name) + "\\.[A-Za-z0-9]{6}"));
    std::set<QByteArray> seen;
    for (int kill = 0; kill < 40; ++kill) {
        SCOPED_TRACE(testing::Message() << "kill " << kill);
        int reports[2];
        EXPECT_EQ(pipe(reports), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(reports[0]);
            for (int n = 1;; ++n) {
                write(n);
                (void)!::write(reports[1], "w", 1);
            }
        }
        close(reports[1]);
        char report = 0;
        for (int n = finishedWrites(random); n > 0; --n) EXPECT_EQ(read(reports[0], &report, 1), 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(reports[0]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const QByteArray content = readFile(path);
        EXPECT_TRUE(whole(content)) << content.size() << " bytes";
        seen.insert(content);
        for (const QString& entry : entriesOf(QFileInfo(path).path())) {
            if (entry == name) continue;
            EXPECT_TRUE(leftoverName.match(entry).hasMatch()) << entry.toStdString();
            QFile::remove(QFileInfo(path).dir().filePath(entry));
        }
    }
    return seen;
}

TEST(AtomicWrite, AKilledLevelSaveLeavesTheOldOrTheNewLevel) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("level.lev");
    ASSERT_TRUE(writeFileAtomically(path, kSmall));
    // After an odd number of writes the full level is in place, after an even
    // number the small one, so both turn up whenever the kill lands.
    const auto seen = killWhileWriting(
        path, [&](int n) { writeFileAtomically(path, n % 2 ? kFull : kSmall); },
        [](const QByteArray& content) { return content == kFull || content == kSmall; });
    EXPECT_EQ(seen.size(), 2u);
}

TEST(AtomicWrite, AKilledBestTimesWriteLeavesEveryLineWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const BestTimesFile file(ProgressFile(dir.path(), {}));
    BestTimes times;
    for (int level = 2; level <= kBuiltinLevelCount; ++level) times.offer(level, 999'000 + level);
    ASSERT_EQ(file.record(1, 999'001, times), BestTimesFile::Recorded::NewBest);
    // Every write is a faster first level than the file holds, so every write changes the file.
    const auto seen = killWhileWriting(
        file.writePath(),
        [&](int) { file.record(1, file.read().value_or(times).of(1).value_or(2) - 1, times); },
        [](const QByteArray& content) {
            const BestTimes read = BestTimes::parse(content.toStdString());
            return read.text() == content.toStdString() && read.of(kBuiltinLevelCount);
        });
    EXPECT_GE(seen.size(), 2u);
}

TEST(AtomicWrite, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("level.lev");
    ASSERT_TRUE(writeFileAtomically(path, kSmall));
    // A folder of the same name cannot be replaced by a file.
    const QString folder = dir.filePath("folder.lev");
    ASSERT_TRUE(QDir().mkpath(folder));
    QString error;
    EXPECT_FALSE(writeFileAtomically(folder, kFull, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeFileAtomically(dir.filePath("missing/level.lev"), kFull));
    EXPECT_EQ(readFile(path), kSmall);
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{"folder.lev", "level.lev"}));
    EXPECT_TRUE(entriesOf(folder).isEmpty());
}

}  // namespace
