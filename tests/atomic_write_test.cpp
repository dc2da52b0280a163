// A writer killed at any moment leaves the old file or the new one, whole, and
// nothing a program would open beside it. A child process writes in a tight
// loop through the real code and reports every finished write; the parent
// kills it with SIGKILL a random short while after a random number of them,
// a few dozen times, and looks at what is left each time. Counting writes
// rather than time keeps the test meaningful on a machine of any speed or
// load.
#include "test_files.h"

#include <common/atomic_file.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ferlan;

namespace {

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// The longest level there is (25 poles, 10 balls, 5 polarisers) and a short one.
const QByteArray kFull = "23;4;" + QByteArray("grum5715 400  ,").repeated(25) + ";" +
                         QByteArray("up645  900  ,").repeated(10) + ";" +
                         QByteArray("am3075 2000 ,").repeated(5) + ";\r\n";
const QByteArray kSmall = "9 ;1;klpp180  4470 ,;;;\r\n";

TEST(AtomicWrite, AKilledLevelSaveLeavesTheOldOrTheNewLevel) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("level.lev");
    ASSERT_TRUE(writeFileAtomically(path, kSmall));
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> finishedWrites(1, 4);
    std::uniform_int_distribution<long> delay(0, 2000);
    // Replacing a file takes a named temporary and a rename; a kill between
    // the two leaves the temporary. Its name ends in six random characters,
    // so neither program ever opens it: the game reads only its own file
    // name, the dialogs list only "*.lev".
    const QRegularExpression leftoverName(
        QRegularExpression::anchoredPattern("level\\.lev\\.[A-Za-z0-9]{6}"));
    std::set<QByteArray> seen;
    for (int kill = 0; kill < 40; ++kill) {
        SCOPED_TRACE(testing::Message() << "kill " << kill);
        int reports[2];
        ASSERT_EQ(pipe(reports), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(reports[0]);
            for (bool flip = false;; flip = !flip) {
                writeFileAtomically(path, flip ? kSmall : kFull);
                (void)!write(reports[1], "w", 1);
            }
        }
        close(reports[1]);
        // After an odd number of writes the full level is in place, after an
        // even number the small one, so both turn up whenever the kill lands.
        char report = 0;
        for (int n = finishedWrites(random); n > 0; --n) ASSERT_EQ(read(reports[0], &report, 1), 1);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(reports[0]);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const QByteArray content = readFile(path);
        ASSERT_TRUE(content == kFull || content == kSmall) << content.size() << " bytes";
        seen.insert(content);
        for (const QString& entry : entriesOf(dir.path())) {
            if (entry == "level.lev") continue;
            ASSERT_TRUE(leftoverName.match(entry).hasMatch()) << entry.toStdString();
            QFile::remove(dir.filePath(entry));
        }
    }
    // Both contents turn up, so the kills did land among the writes.
    EXPECT_EQ(seen.size(), 2u);
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
