// A writer killed at any moment leaves the old file or the new one, whole, and
// nothing else beside it. A child process writes in a tight loop through the
// real code; the parent kills it with SIGKILL after a random short delay, many
// times over, and looks at what is left each time.
#include <Spiel/ui/progress_file.h>
#include <common/atomic_file.h>
#include <leveldata/level_text.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ferlan;

namespace {

constexpr int kKills = 200;
// Long enough for the child to be well into its loop, short enough to keep
// the whole test within a few seconds.
constexpr std::chrono::microseconds kLongestDelay{12000};

QByteArray levelFile(const LevelData& data) {
    const WriteResult written = writeLevelText(data);
    EXPECT_TRUE(written.ok());
    return QByteArray::fromStdString(written.text + std::string(kLevelFileLineEnd));
}

// The longest level there is: every slot of every kind used.
QByteArray fullLevel() {
    LevelData data;
    data.height = 23;
    data.floor = 4;
    for (int i = 0; i < kMaxFerlan; ++i) data.ferlan[i] = {"grum", 5715.f, 400.f * i + 100};
    for (int i = 0; i < kMaxKugel; ++i) data.kugel[i] = {"up", 645.f, 900.f * i + 50};
    for (int i = 0; i < kMaxTransformator; ++i)
        data.transformator[i] = {"am", 3075.f, 2000.f * i + 10};
    return levelFile(data);
}

QByteArray smallLevel() {
    LevelData data;
    data.height = 9;
    data.floor = 1;
    data.ferlan[0] = {"klpp", 180.f, 4470.f};
    return levelFile(data);
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

// Starts `writeForever` in a child again and again and kills it at random
// moments. After every kill the file must hold one of `complete` and be the
// only file of its folder a program would open. Returns the contents seen.
std::set<QByteArray> killWhileWriting(const QString& path, const std::set<QByteArray>& complete,
                                      const std::function<void()>& writeForever) {
    const std::random_device::result_type seed = std::random_device{}();
    SCOPED_TRACE(testing::Message() << "random seed " << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<long> delay(0, kLongestDelay.count());
    const QString folder = QFileInfo(path).absolutePath();
    const QString alone = QFileInfo(path).fileName();
    const QRegularExpression leftoverName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(alone) + "\\.[A-Za-z0-9]{6}"));
    std::set<QByteArray> seen;
    int leftovers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE(testing::Message() << "kill " << kill);
        const pid_t child = fork();
        if (child < 0) {
            ADD_FAILURE() << "fork failed";
            break;
        }
        if (child == 0) {
            writeForever();
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer stopped by itself";

        const QByteArray content = contentOf(path);
        if (complete.count(content) == 0) {
            ADD_FAILURE() << "incomplete file of " << content.size()
                          << " bytes: " << content.left(40).constData();
            break;
        }
        seen.insert(content);
        for (const QString& entry : entriesOf(folder)) {
            if (entry == alone) continue;
            // Replacing a file takes a named temporary and a rename; a kill
            // between the two leaves the temporary. Its name ends in six
            // random characters, so neither program ever opens it: the game
            // reads only its own file name, the dialogs list only "*.lev".
            if (!leftoverName.match(entry).hasMatch()) {
                ADD_FAILURE() << "left in the folder: " << entry.toStdString();
                return seen;
            }
            ++leftovers;
            QFile::remove(QDir(folder).filePath(entry));
        }
    }
    std::cout << "[          ] " << leftovers << " of " << kKills
              << " kills left a temporary beside the file\n";
    return seen;
}

}  // namespace

TEST(AtomicWrite, aKilledLevelSaveLeavesTheOldOrTheNewLevel) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("level.lev");
    const QByteArray full = fullLevel(), small = smallLevel();
    ASSERT_EQ(full.size(), 580);
    ASSERT_TRUE(writeFileAtomically(path, small));

    const std::set<QByteArray> seen = killWhileWriting(path, {full, small}, [&] {
        for (bool flip = false;; flip = !flip) writeFileAtomically(path, flip ? small : full);
    });
    // Both contents turn up, so the kills did land among the writes.
    EXPECT_EQ(seen.size(), 2u);
}

TEST(AtomicWrite, aKilledProgressWriteLeavesAWholeValue) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const ProgressFile progress(dir.path(), QString(), [](const QString&) { return true; });
    const QString path = progress.writePath();
    ASSERT_TRUE(writeFileAtomically(path, "0\r\n"));
    std::set<QByteArray> complete;
    for (int value = 0; value <= kHighestStoredProgress; ++value)
        complete.insert(QByteArray::number(value) + "\r\n");

    const std::set<QByteArray> seen = killWhileWriting(path, complete, [&] {
        // Progress only rises, so each round starts a new player again.
        for (;;) {
            for (int won = 1; won <= kHighestStoredProgress; ++won)
                progress.recordWin(won, won - 1);
            writeFileAtomically(path, "0\r\n");
        }
    });
    EXPECT_GT(seen.size(), 5u);
}

TEST(AtomicWrite, aFailedWriteLeavesTheOldFileAndNoTemporary) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("level.lev");
    ASSERT_TRUE(writeFileAtomically(path, smallLevel()));
    // A folder of the same name cannot be replaced by a file.
    const QString folder = dir.filePath("folder.lev");
    ASSERT_TRUE(QDir().mkpath(folder));
    QString error;
    EXPECT_FALSE(writeFileAtomically(folder, fullLevel(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeFileAtomically(dir.filePath("missing/level.lev"), fullLevel()));
    EXPECT_EQ(contentOf(path), smallLevel());
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{"folder.lev", "level.lev"}));
    EXPECT_TRUE(entriesOf(folder).isEmpty());
}
