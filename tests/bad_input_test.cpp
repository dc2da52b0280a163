// Every kind of file a player may hand the game: each one either is a level by
// the reader's rules and loads, or gets the reader's one message and leaves the
// screen and the level exactly as they were. Both programs read level files
// through the same function; the editor's side of it is in its window test.
// The same for the game's progress file, read and written.
#include "game_fixture.h"
#include "recording_prompts.h"
#include "superuser_bounds.h"
#include "test_files.h"

#include <Spiel/ui/game_window.h>
#include <Spiel/ui/progress_file.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <vector>

#include <sys/stat.h>

using namespace ferlan;

namespace {

const QString kReadError = QStringLiteral("Fehler beim Lesen der Level-Datei.");
const QString kMissingProgress =
    QStringLiteral("Datei mit Spielstand nicht vorhanden oder fehlerhaft.");

QByteArray ferlanEntries(int count) {
    QByteArray text = "23;1;";
    for (int i = 0; i < count; ++i)
        text += "glpp1470 " + QByteArray::number(400 * i + 100).leftJustified(5) + ",";
    return text + ";;;\r\n";
}

// What a file dialog may hand over, besides plain bytes.
enum class Source { Bytes, Sparse, Folder, Fifo, Unreadable, Vanishing, Device, FailingRead };

struct LevelInput {
    const char* name;
    Source source;
    QByteArray bytes;  // the content, for the sources that have one
    bool accepted;     // a level text by the reader's rules
    const char* fileName = "bad.lev";
};

const std::vector<LevelInput>& levelInputs() {
    static const std::vector<LevelInput> inputs = [] {
        QByteArray binary(4096, '\0');
        QRandomGenerator random(8);  // fixed, so a failure repeats
        for (char& byte : binary) byte = static_cast<char>(random.bounded(256));
        const QByteArray nulls(600, '\0');
        return std::vector<LevelInput>{
            {"empty", Source::Bytes, "", false},
            {"binary bytes", Source::Bytes, binary, false},
            {"NUL bytes", Source::Bytes, nulls, false},
            // The two end characters are never read, whatever they are.
            {"NUL bytes as the end", Source::Bytes, QByteArray("13;2;;;;\0\0", 10), true},
            {"UTF-8 letter as the end", Source::Bytes, "13;2;;;;ü", true},
            {"CR only, polarisers", Source::Bytes, "9 ;1;;;ap2760 4088 ,;\r", false},
            {"German file name", Source::Bytes, "13;2;;;;\r\n", true, "Höhle der Löwen ß.lev"},
            {"26 pole blocks", Source::Bytes, ferlanEntries(26), false},
            // A level at the start of a file far too large to be one.
            {"100 MB", Source::Sparse, "13;2;;;;\r\n", false},
            {"folder", Source::Folder, {}, false},
            {"named pipe", Source::Fifo, {}, false},
            {"device", Source::Device, {}, false},
            {"no read permission", Source::Unreadable, "13;2;;;;\r\n", false},
            {"vanishes after the dialog", Source::Vanishing, "13;2;;;;\r\n", false},
            {"read fails", Source::FailingRead, {}, false},
        };
    }();
    return inputs;
}

// The path to hand the open dialog; empty when the input cannot be made.
QString makeLevelInput(const LevelInput& input, const QTemporaryDir& dir) {
    QString path = dir.filePath(QString::fromUtf8(input.fileName));
    switch (input.source) {
        case Source::Bytes:
        case Source::Vanishing: return writeFile(path, input.bytes) ? path : QString();
        case Source::Sparse:
            if (writeFile(path, input.bytes) && QFile::resize(path, 100LL << 20)) return path;
            return {};
        case Source::Folder: return QDir(dir.path()).mkdir("bad.lev") ? path : QString();
        case Source::Fifo:
            return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
        case Source::Device: return QStringLiteral("/dev/zero");
        case Source::FailingRead:
            // Opens as a regular file, then fails on the first read.
            return QStringLiteral("/proc/self/mem");
        case Source::Unreadable:
            if (writeFile(path, input.bytes) && QFile::setPermissions(path, {})) return path;
            return {};
    }
    return {};
}

// The open dialog's answer is deleted the moment the dialog closes.
class VanishingPrompts : public RecordingPrompts {
public:
    QString openFileName(const QString& filter) override {
        QString name = RecordingPrompts::openFileName(filter);
        if (vanish) QFile::remove(name);
        return name;
    }
    bool vanish = false;
};

// What the game window shows around the model: menu, list, cover, notice.
QStringList gameScreen(const GameWindow& window) {
    QStringList screen;
    for (const char* name : {"Spielstarten", "Überdecken", "zurück", "Credits1"}) {
        const SceneItem* item = window.item(QString::fromUtf8(name));
        screen << QStringLiteral("%1 %2 %3")
                      .arg(QString::fromUtf8(name))
                      .arg(item->visible())
                      .arg(item->colour().name());
    }
    for (int i = 0; i < kBuiltinLevelCount; ++i)
        screen << QString::number(window.levelLabel(i)->visible());
    screen << window.notice() << QString::number(window.animating());
    return screen;
}

struct Game : GameFixture<VanishingPrompts> {
    using GameFixture::GameFixture;
    // Holds Up on built-in level 1 for a while, so the ball is on its way.
    void playLevel1() {
        window->showLevelList();
        window->startLevel(0);
        window->model().KeyUpHeld = true;
        for (int i = 0; i < 60; ++i) window->runTick();
    }
};

void expectOneReadError(const RecordingPrompts& prompts, const QString& text) {
    QCOMPARE(prompts.shown.size(), 2);
    QCOMPARE(prompts.shown[0].kind, QStringLiteral("open"));
    QCOMPARE(prompts.shown[1].line(), RecordingPrompts::error("Fehler", text));
}

}  // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void gameLoadsALevelOrChangesNothing_data() {
        QTest::addColumn<int>("input");
        QTest::addColumn<QString>("scenario");
        for (const QString scenario : {"title", "in play"}) {
            for (std::size_t i = 0; i < levelInputs().size(); ++i) {
                const QString row = scenario + ": " + QString::fromUtf8(levelInputs()[i].name);
                QTest::newRow(qPrintable(row)) << static_cast<int>(i) << scenario;
            }
        }
    }

    void gameLoadsALevelOrChangesNothing() {
        QFETCH(int, input);
        QFETCH(QString, scenario);
        const LevelInput& level = levelInputs()[static_cast<std::size_t>(input)];
        Game game;
        std::optional<PermissionsBindTheSuperuser> bound;
        if (level.source == Source::Unreadable) bound.emplace();
        if (bound && !bound->effective()) QSKIP(bound->why().c_str());
        const QString path = makeLevelInput(level, game.dir);
        QVERIFY(!path.isEmpty());
        if (scenario == "in play") game.playLevel1();
        const GameModel& m = game.window->model();
        const Session& s = game.window->session();
        const GameModel before = m;
        const std::string textBefore = s.levelText();
        const std::optional<int> levelBefore = s.builtinIndex();
        const QStringList screenBefore = gameScreen(*game.window);

        game.prompts.shown.clear();
        game.prompts.fileNames = {path};
        game.prompts.vanish = level.source == Source::Vanishing;
        // In play the menu lies under the field; the handler runs all the same.
        game.window->loadLevelFile();

        if (level.accepted) {
            QCOMPARE(game.prompts.shown.size(), 1);
            QVERIFY(s.shown() && s.ticking() && !s.builtinIndex());
            QCOMPARE(QByteArray::fromStdString(s.levelText()), level.bytes);
            return;
        }
        expectOneReadError(game.prompts, kReadError);
        QVERIFY(m == before && s.levelText() == textBefore && s.builtinIndex() == levelBefore);
        QCOMPARE(gameScreen(*game.window), screenBefore);
        if (scenario == "in play") {
            // The level goes on from where it was.
            const Twips top = m.Eisenkugel.Top;
            game.window->runTick();
            QVERIFY(m.Eisenkugel.Top != top);
        }
    }

    void progressFileOpensTheListOrReports_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("shown");  // -1: the error message
        QByteArray digits(qsizetype{1024} * 1024, '0');
        for (qsizetype i = 0; i < digits.size(); ++i) digits[i] = static_cast<char>('1' + i % 9);
        // Only the first two characters count, however much follows.
        QTest::newRow("empty") << QByteArray("") << "file" << 1;
        QTest::newRow("abc") << QByteArray("abc") << "file" << 1;
        QTest::newRow("-1") << QByteArray("-1\r\n") << "file" << -1;
        QTest::newRow("1 MB of digits") << digits << "file" << 13;
        QTest::newRow("1 MB of nines") << QByteArray(qsizetype{1024} * 1024, '9') << "file" << -1;
        QTest::newRow("folder") << QByteArray() << "folder" << -1;
        QTest::newRow("no read permission") << QByteArray("5\r\n") << "unreadable" << -1;
    }

    void progressFileOpensTheListOrReports() {
        QFETCH(QByteArray, content);
        QFETCH(QString, kind);
        QFETCH(int, shown);
        std::optional<PermissionsBindTheSuperuser> bound;
        if (kind == "unreadable") bound.emplace();
        if (bound && !bound->effective()) QSKIP(bound->why().c_str());
        Game game(QByteArray{});
        if (kind == "file" || kind == "unreadable")
            QVERIFY(writeFile(game.progressPath(), content));
        if (kind == "unreadable")
            QVERIFY(QFile::setPermissions(game.progressPath(), QFileDevice::Permissions()));
        if (kind == "folder") QVERIFY(QDir(game.dir.path()).mkdir(ProgressFile::kFileName));
        const QStringList screenBefore = gameScreen(*game.window);

        game.window->showLevelList();
        if (shown > 0) {
            QVERIFY(game.prompts.shown.isEmpty());
            QCOMPARE(game.shownLevels(), shown);
            QVERIFY(!game.titleShown());
            return;
        }
        QCOMPARE(game.prompts.shown.size(), 1);
        QCOMPARE(game.prompts.shown[0].line(), RecordingPrompts::error("Fehler", kMissingProgress));
        QCOMPARE(gameScreen(*game.window), screenBefore);
        QVERIFY(game.titleShown());
    }

    void winningKeepsPlayingWhateverTheProgressFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>(
            "after");  // the file's content after the win; empty: not a file
        QTest::addColumn<bool>("saved");
        // A read-only program folder sends the write to the per-user folder,
        // which cannot be made inside it.
        QTest::newRow("read-only folder") << "read-only" << QByteArray("0\r\n") << false;
        // Something else in the file's place is replaced by a proper file.
        QTest::newRow("named pipe") << "fifo" << QByteArray("1\r\n") << true;
        // A folder cannot be replaced by a file.
        QTest::newRow("folder") << "folder" << QByteArray() << false;
        QTest::newRow("further elsewhere") << "further" << QByteArray("3\r\n") << true;
    }

    void winningKeepsPlayingWhateverTheProgressFile() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, after);
        QFETCH(bool, saved);
        Game game("0\r\n");
        game.playLevel1();
        // Changed behind the game's back while the level is played.
        const QString path = game.progressPath();
        std::optional<ReadOnlyFolder> readOnly;
        if (kind == "read-only") {
            readOnly.emplace(game.dir.path());
            if (!readOnly->effective()) QSKIP(readOnly->why().c_str());
        } else {
            QVERIFY(QFile::remove(path));
            if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            if (kind == "folder") QVERIFY(QDir(game.dir.path()).mkdir(ProgressFile::kFileName));
            if (kind == "further") QVERIFY(writeFile(path, "3\r\n"));
        }
        const Session& s = game.window->session();
        for (int i = 0; i < 5000 && s.builtinIndex() != 1; ++i) game.window->runTick();

        QCOMPARE(s.builtinIndex(), 1);
        QVERIFY(s.ticking());
        QVERIFY(game.prompts.shown.isEmpty());  // no box from inside the tick
        QCOMPARE(game.window->notice(), saved ? QStringLiteral("Neue Bestzeit!")
                                              : QStringLiteral("Spielstand nicht gespeichert!"));
        if (after.isEmpty()) {
            QVERIFY(QFileInfo(path).isDir());
        } else {
            QVERIFY(QFileInfo(path).isFile());
            QCOMPARE(readFile(path), after);
        }
        // Beside it only the best times, where the folder takes files.
        QStringList entries{ProgressFile::kFileName};
        if (kind != "read-only") entries.prepend(BestTimesFile::kFileName);
        QCOMPARE(
            QDir(game.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            entries);
    }
};

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
