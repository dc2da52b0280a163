// A writer killed at any moment leaves the old file or the new one, whole, and
// nothing a program would open beside it. A child process writes in a tight
// loop through the real code; the parent kills it with SIGKILL after a random
// short delay, a few dozen times, and looks at what is left each time.
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

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
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
    const std::random_device::result_type seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "random seed " << seed);
    std::mt19937 random(seed);
    // Long enough for the child to be well into its loop.
    std::uniform_int_distribution<long> delay(0, 12000);
    // Replacing a file takes a named temporary and a rename; a kill between
    // the two leaves the temporary. Its name ends in six random characters,
    // so neither program ever opens it: the game reads only its own file
    // name, the dialogs list only "*.lev".
    const QRegularExpression leftoverName(
        QRegularExpression::anchoredPattern("level\\.lev\\.[A-Za-z0-9]{6}"));
    std::set<QByteArray> seen;
    for (int kill = 0; kill < 40; ++kill) {
        SCOPED_TRACE(testing::Message() << "kill " << kill);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (bool flip = false;; flip = !flip) writeFileAtomically(path, flip ? kSmall : kFull);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const QByteArray content = contentOf(path);
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
    EXPECT_EQ(contentOf(path), kSmall);
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{"folder.lev", "level.lev"}));
    EXPECT_TRUE(entriesOf(folder).isEmpty());
}

}  // namespace
