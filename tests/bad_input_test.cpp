// Every kind of file a player or a level designer may hand the programs: each
// one either is a level by the reader's rules and loads, or gets the reader's
// one message and leaves the screen and the level exactly as they were. The
// same for the game's progress file, read and written.
#include "game_fixture.h"
#include "recording_prompts.h"

#include <Editor/ui/editor_window.h>
#include <Editor/ui/preview_widget.h>
#include <Spiel/ui/game_window.h>
#include <Spiel/ui/progress_file.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sstream>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace ferlan;

namespace {

const QString kReadError = QStringLiteral("Fehler beim Lesen der Level-Datei.");
const QString kMissingProgress =
    QStringLiteral("Datei mit Spielstand nicht vorhanden oder fehlerhaft.");

bool runningAsRoot() { return geteuid() == 0; }

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray poleBlocks(int count) {
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
            {"NUL inside the height", Source::Bytes, QByteArray("1\0;2;;;;\r\n", 10), false},
            // The two end characters are never read, whatever they are.
            {"NUL bytes as the end", Source::Bytes, QByteArray("13;2;;;;\0\0", 10), true},
            {"UTF-8 text", Source::Bytes, "Höhe 13, Boden 2: schöne Grüße\r\n", false},
            {"UTF-8 byte order mark", Source::Bytes,
             "\xEF\xBB\xBF"
             "13;2;;;;\r\n",
             false},
            {"UTF-8 letter as the end", Source::Bytes, "13;2;;;;ü", true},
            {"CRLF, polarisers", Source::Bytes, "9 ;1;;;ap2760 4088 ,;\r\n", true},
            {"CR only, no polarisers", Source::Bytes, "13;2;grum5715 4965 ,;up645  7095 ,;;\r",
             true},
            {"LF only, no polarisers", Source::Bytes, "13;2;grum5715 4965 ,;up645  7095 ,;;\n",
             true},
            {"CR only, polarisers", Source::Bytes, "9 ;1;;;ap2760 4088 ,;\r", false},
            {"LF only, polarisers", Source::Bytes, "9 ;1;;;ap2760 4088 ,;\n", false},
            {"CR only after every line", Source::Bytes, "9 ;\r1;\r;\r;\r;\r\n", false},
            {"25 pole blocks", Source::Bytes, poleBlocks(25), true},
            {"German file name", Source::Bytes, "13;2;;;;\r\n", true, "Höhle der Löwen ß.lev"},
            {"26 pole blocks", Source::Bytes, poleBlocks(26), false},
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

// The path to hand the open dialog; empty with `skip` set when this machine
// cannot make the input.
QString makeLevelInput(const LevelInput& input, const QTemporaryDir& dir, QString* skip) {
    QString path = dir.filePath(QString::fromUtf8(input.fileName));
    switch (input.source) {
        case Source::Bytes:
        case Source::Vanishing:
            if (!writeFile(path, input.bytes)) return {};
            return path;
        case Source::Sparse: {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(input.bytes) != input.bytes.size() ||
                !file.resize(100LL * 1024 * 1024)) {
                return {};
            }
            return path;
        }
        case Source::Folder: return QDir(dir.path()).mkdir("bad.lev") ? path : QString();
        case Source::Fifo:
            return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
        case Source::Device: return QStringLiteral("/dev/zero");
        case Source::FailingRead:
            // Opens as a regular file, then fails on the first read.
            return QStringLiteral("/proc/self/mem");
        case Source::Unreadable:
            if (runningAsRoot()) {
                *skip = QStringLiteral("file permissions do not stop the superuser from reading");
                return {};
            }
            if (!writeFile(path, input.bytes) ||
                !QFile::setPermissions(path, QFileDevice::Permissions()))
                return {};
            return path;
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

void addLevelRows(const QStringList& scenarios) {
    QTest::addColumn<int>("input");
    QTest::addColumn<QString>("scenario");
    for (const QString& scenario : scenarios) {
        for (std::size_t i = 0; i < levelInputs().size(); ++i) {
            const QString row = scenario + ": " + QString::fromUtf8(levelInputs()[i].name);
            QTest::newRow(qPrintable(row)) << static_cast<int>(i) << scenario;
        }
    }
}

// Everything of the game's model, in one comparable text.
std::ostream& operator<<(std::ostream& out, const FieldObject& o) {
    return out << o.Left << ' ' << o.Top << ' ' << o.Width << ' ' << o.Height << ' ' << o.Visible
               << '|';
}
std::ostream& operator<<(std::ostream& out, const Image& i) {
    return out << static_cast<const FieldObject&>(i) << static_cast<int>(i.picture) << '|';
}
std::ostream& operator<<(std::ostream& out, const Disc& d) {
    return out << static_cast<const FieldObject&>(d) << d.BackColour << '|';
}
std::ostream& operator<<(std::ostream& out, const Label& l) {
    return out << static_cast<const FieldObject&>(l) << l.Caption << '|';
}
template <typename T, std::size_t N>
std::ostream& operator<<(std::ostream& out, const std::array<T, N>& items) {
    for (const T& item : items) out << item << ',';
    return out << '\n';
}

std::string gameState(const GameModel& m) {
    std::ostringstream out;
    out << m.Spielflaeche << m.Anzeigetafel << m.Eisenkugel << m.Ferlan << m.Zentrum << m.Anziehung
        << m.Kugel << m.Anziehung2 << m.Transformator << m.Anfang << m.Ende << m.Verbindung
        << int(m.FloorTexture) << ' ' << m.FloorRows << m.Levelanzeiger << m.Levelendeanzeiger
        << m.Geschafft << m.Levelanzeige << m.Geladen << m.LevelVisible << int(m.BallPolarity)
        << ' ' << m.BallVX << ' ' << m.BallVY << m.KugelVX << m.KugelVY << m.AlarmOn << m.KeyUpHeld
        << m.KeyDownHeld << m.KeyLeftHeld << m.KeyRightHeld << ' ' << int(m.NextFerlan) << ' '
        << int(m.NextKugel) << ' ' << int(m.NextTransformator) << ' ' << m.SpieltimerEnabled << '\n'
        << m.Text1;
    return out.str();
}

// What the game window shows around the model: menu, list, cover, notice.
QStringList gameScreen(const GameWindow& window) {
    QStringList screen;
    for (const char* name : {"Spielstarten", "Levelladen", "Credits", "Beenden", "Überdecken",
                             "zurück", "Credits1", "Credits2"}) {
        const SceneItem* item = window.item(QString::fromUtf8(name));
        screen << QStringLiteral("%1 %2 %3")
                      .arg(QString::fromUtf8(name))
                      .arg(item->visible())
                      .arg(item->colour().name());
    }
    for (int i = 0; i < kLevelLabelCount; ++i)
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
    QCOMPARE(prompts.shown[1].kind, QStringLiteral("message"));
    QCOMPARE(prompts.shown[1].caption, QStringLiteral("Fehler"));
    QCOMPARE(prompts.shown[1].text, text);
    QCOMPARE(prompts.shown[1].icon, Prompts::Icon::Critical);
}

// A folder that takes no new files, for the superuser too; undone on destruction.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString folder) : folder_(std::move(folder)) {
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
        immutable_ = runningAsRoot() && QProcess::execute("chattr", {"+i", folder_}) == 0;
    }
    ~ReadOnlyFolder() {
        if (immutable_) QProcess::execute("chattr", {"-i", folder_});
        QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    bool effective() const { return immutable_ || !runningAsRoot(); }

private:
    QString folder_;
    bool immutable_ = false;
};

}  // namespace

class BadInputTest : public QObject {
    Q_OBJECT
private slots:
    void gameLoadsALevelOrChangesNothing_data();
    void gameLoadsALevelOrChangesNothing();
    void editorLoadsALevelOrChangesNothing_data();
    void editorLoadsALevelOrChangesNothing();
    void progressFileOpensTheListOrReports_data();
    void progressFileOpensTheListOrReports();
    void winningKeepsPlayingWhateverTheProgressFile_data();
    void winningKeepsPlayingWhateverTheProgressFile();
};

void BadInputTest::gameLoadsALevelOrChangesNothing_data() { addLevelRows({"title", "in play"}); }

void BadInputTest::gameLoadsALevelOrChangesNothing() {
    QFETCH(int, input);
    QFETCH(QString, scenario);
    const LevelInput& level = levelInputs()[static_cast<std::size_t>(input)];
    Game game;
    QString skip;
    const QString path = makeLevelInput(level, game.dir, &skip);
    if (!skip.isEmpty()) QSKIP(qPrintable(skip));
    QVERIFY(!path.isEmpty());
    if (scenario == "in play") game.playLevel1();
    const GameModel& m = game.window->model();
    const std::string stateBefore = gameState(m);
    const LevelData dataBefore = m.levelData;
    const QStringList screenBefore = gameScreen(*game.window);

    game.prompts.shown.clear();
    game.prompts.fileNames = {path};
    game.prompts.vanish = level.source == Source::Vanishing;
    // In play the menu lies under the field; the handler runs all the same.
    game.window->loadLevelFile();

    if (level.accepted) {
        QCOMPARE(game.prompts.shown.size(), 1);
        QVERIFY(m.Spielflaeche.Visible);
        QVERIFY(m.Geladen.Visible);
        QVERIFY(!m.Levelanzeige.Visible);
        QVERIFY(m.SpieltimerEnabled);
        QCOMPARE(QByteArray::fromStdString(m.Text1), level.bytes);
        return;
    }
    expectOneReadError(game.prompts, kReadError);
    QCOMPARE(gameState(m), stateBefore);
    QVERIFY(m.levelData == dataBefore);
    QCOMPARE(gameScreen(*game.window), screenBefore);
    if (scenario == "in play") {
        // The level goes on from where it was.
        const Twips top = m.Eisenkugel.Top;
        game.window->runTick();
        QVERIFY(m.Eisenkugel.Top != top);
    }
}

void BadInputTest::editorLoadsALevelOrChangesNothing_data() { addLevelRows({"level loaded"}); }

void BadInputTest::editorLoadsALevelOrChangesNothing() {
    QFETCH(int, input);
    const LevelInput& level = levelInputs()[static_cast<std::size_t>(input)];
    QTemporaryDir dir;
    VanishingPrompts prompts;
    editor::EditorWindow window(&prompts);
    window.show();
    auto* heightBar = window.findChild<QScrollBar*>("HScroll1");
    auto* scrollBar = window.findChild<QScrollBar*>("VScroll1");
    auto* heightLabel = window.findChild<QLabel*>("Label2");
    QVERIFY(heightBar && scrollBar && heightLabel);

    const QString loaded = dir.filePath("geladen.lev");
    QVERIFY(writeFile(loaded, "13;2;grum5715 4965 ,;up645  7095 ,;am3075 10710,;\r\n"));
    prompts.fileNames = {loaded};
    window.loadLevel();
    QCOMPARE(window.model().nextFerlan(), 2);
    scrollBar->setValue(120);

    QString skip;
    const QString path = makeLevelInput(level, dir, &skip);
    if (!skip.isEmpty()) QSKIP(qPrintable(skip));
    QVERIFY(!path.isEmpty());
    const editor::EditorModel modelBefore = window.model();
    const QRect previewBefore = window.preview()->geometry();
    const QString heightBefore = heightLabel->text();

    prompts.shown.clear();
    prompts.fileNames = {path};
    prompts.vanish = level.source == Source::Vanishing;
    window.loadLevel();

    if (level.accepted) {
        LevelData data;
        QVERIFY(readLevelText(level.bytes.toStdString(), data));
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(window.model().height(), int(data.height));
        QCOMPARE(window.model().floor(), int(data.floor));
        QCOMPARE(window.model().nextFerlan(), countUsed(data.ferlan) + 1);
        QCOMPARE(heightBar->value(), int(data.height));
        return;
    }
    expectOneReadError(prompts, kReadError);
    QVERIFY(window.model() == modelBefore);
    QCOMPARE(window.preview()->geometry(), previewBefore);
    QCOMPARE(heightLabel->text(), heightBefore);
    QCOMPARE(heightBar->value(), 13);
    QCOMPARE(scrollBar->value(), 120);
}

void BadInputTest::progressFileOpensTheListOrReports_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("shown");  // -1: the error message
    QByteArray digits(qsizetype{1024} * 1024, '0');
    for (qsizetype i = 0; i < digits.size(); ++i) digits[i] = static_cast<char>('1' + i % 9);
    // Only the first two characters count, however much follows.
    QTest::newRow("empty") << QByteArray("") << "file" << 1;
    QTest::newRow("NUL bytes") << QByteArray("\0\0\r\n", 4) << "file" << 1;
    QTest::newRow("abc") << QByteArray("abc") << "file" << 1;
    QTest::newRow("-1") << QByteArray("-1\r\n") << "file" << -1;
    QTest::newRow("1 MB of digits") << digits << "file" << 13;
    QTest::newRow("1 MB of nines") << QByteArray(qsizetype{1024} * 1024, '9') << "file" << -1;
    QTest::newRow("folder") << QByteArray() << "folder" << -1;
    QTest::newRow("named pipe") << QByteArray() << "fifo" << -1;
    QTest::newRow("no read permission") << QByteArray("5\r\n") << "unreadable" << -1;
}

void BadInputTest::progressFileOpensTheListOrReports() {
    QFETCH(QByteArray, content);
    QFETCH(QString, kind);
    QFETCH(int, shown);
    if (kind == "unreadable" && runningAsRoot())
        QSKIP("file permissions do not stop the superuser from reading");
    Game game(QByteArray{});
    const QByteArray path = QFile::encodeName(game.progressPath());
    if (kind == "file" || kind == "unreadable") QVERIFY(writeFile(game.progressPath(), content));
    if (kind == "unreadable")
        QVERIFY(QFile::setPermissions(game.progressPath(), QFileDevice::Permissions()));
    if (kind == "folder") QVERIFY(QDir(game.dir.path()).mkdir(ProgressFile::kFileName));
    if (kind == "fifo") QCOMPARE(::mkfifo(path.constData(), 0600), 0);
    const QStringList screenBefore = gameScreen(*game.window);

    game.window->showLevelList();
    if (shown > 0) {
        QVERIFY(game.prompts.shown.isEmpty());
        QCOMPARE(game.shownLevels(), shown);
        QVERIFY(!game.titleShown());
        return;
    }
    QCOMPARE(game.prompts.shown.size(), 1);
    QCOMPARE(game.prompts.shown[0].caption, QStringLiteral("Fehler"));
    QCOMPARE(game.prompts.shown[0].text, kMissingProgress);
    QCOMPARE(game.prompts.shown[0].icon, Prompts::Icon::Critical);
    QCOMPARE(gameScreen(*game.window), screenBefore);
    QVERIFY(game.titleShown());
}

void BadInputTest::winningKeepsPlayingWhateverTheProgressFile_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("after");  // the file's content after the win; empty: not a file
    QTest::addColumn<bool>("saved");
    // A read-only program folder sends the write to the per-user folder,
    // which cannot be made inside it; with the folder taken for writable the
    // write goes straight into the folder that refuses it.
    QTest::newRow("read-only folder") << "read-only" << QByteArray("0\r\n") << false;
    QTest::newRow("read-only folder taken for writable")
        << "read-only, looks writable" << QByteArray("0\r\n") << false;
    // Something else in the file's place is replaced by a proper file.
    QTest::newRow("named pipe") << "fifo" << QByteArray("1\r\n") << true;
    QTest::newRow("garbage") << "garbage" << QByteArray("1\r\n") << true;
    // A folder cannot be replaced by a file.
    QTest::newRow("folder") << "folder" << QByteArray() << false;
}

void BadInputTest::winningKeepsPlayingWhateverTheProgressFile() {
    QFETCH(QString, kind);
    QFETCH(QByteArray, after);
    QFETCH(bool, saved);
    ProgressFile::FolderProbe probe;
    if (kind.endsWith("looks writable")) probe = [](const QString&) { return true; };
    Game game("0\r\n", probe);
    game.playLevel1();
    // Changed behind the game's back while the level is played.
    const QString path = game.progressPath();
    std::optional<ReadOnlyFolder> readOnly;
    if (kind.startsWith("read-only")) {
        readOnly.emplace(game.dir.path());
        if (!readOnly->effective()) QSKIP("cannot make a folder read-only here");
    } else {
        QVERIFY(QFile::remove(path));
        if (kind == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == "garbage") QVERIFY(writeFile(path, QByteArray("\xff\x00\x01", 3)));
        if (kind == "folder") QVERIFY(QDir(game.dir.path()).mkdir(ProgressFile::kFileName));
    }
    GameModel& m = game.window->model();
    for (int i = 0; i < 5000 && m.Levelanzeige.Caption != " 2"; ++i) game.window->runTick();

    QCOMPARE(QString::fromStdString(m.Levelanzeige.Caption), QStringLiteral(" 2"));
    QVERIFY(m.SpieltimerEnabled);
    QVERIFY(game.prompts.shown.isEmpty());  // no box from inside the tick
    QCOMPARE(game.window->notice(),
             saved ? QString() : QStringLiteral("Spielstand nicht gespeichert!"));
    if (after.isEmpty()) {
        QVERIFY(QFileInfo(path).isDir());
    } else {
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(readFile(path), after);
    }
    QCOMPARE(
        QDir(game.dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList{ProgressFile::kFileName});
}

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
