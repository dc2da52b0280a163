// The programs' command lines, and the game as an installation runs it: a
// new player's progress comes from the installation, the player's own goes
// to the per-user folder.
#include "recording_prompts.h"
#include "test_files.h"

#include <Editor/ui/editor_window.h>
#include <Spiel/ui/game_window.h>
#include <Spiel/ui/progress_file.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace ferlan;

const QString kVersion = QStringLiteral(FERLAN_VERSION);

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void programsAnswerWithoutAWindow() {
        const QString game = QStringLiteral(FERLAN_GAME_PATH);
        const QString editor = QStringLiteral(FERLAN_EDITOR_PATH);
        const QString usage = QStringLiteral("; --help zeigt die Aufrufe\n");
        // The program, its arguments, the exit code (-1: the program died), the start of the
        // standard output and the whole error output. The window system below is one that cannot
        // exist, so a program that opens a window dies: a level file does.
        const std::tuple<QString, QStringList, int, QString, QString> calls[] = {
            {game, {"--help"}, 0, "Aufruf: ferlan [OPTION] [LEVEL.lev]\n", ""},
            {game, {"--version"}, 0, "ferlan " + kVersion + "\n", ""},
            {editor, {"-h"}, 0, "Aufruf: ferlan-editor [OPTION] [LEVEL.lev]\n", ""},
            {editor, {"--version"}, 0, "ferlan-editor " + kVersion + "\n", ""},
            {QStringLiteral(FERLAN_TOOL_PATH),
             {"--version"},
             0,
             "ferlan-tool " + kVersion + "\n",
             ""},
            {game, {"--bunt", "x.lev"}, 2, "", "ferlan: unbekannte Option \"--bunt\"" + usage},
            {editor, {"-x"}, 2, "", "ferlan-editor: unbekannte Option \"-x\"" + usage},
            {game, {"a.lev", "b.lev"}, 2, "", "ferlan: nur eine Level-Datei" + usage},
            {game, {"--version=1"}, 2, "", "ferlan: Aufruf nicht verstanden" + usage},
            {game, {QStringLiteral(FERLAN_TEST_DATA_DIR "/game_empty.lev")}, -1, "", ""}};
        for (const auto& [program, arguments, exitCode, out, err] : calls) {
            const QString call = program.section('/', -1) + ' ' + arguments.join(' ');
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.remove(QStringLiteral("DISPLAY"));
            environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                               QStringLiteral("no-such-platform"));
            process.setProcessEnvironment(environment);
            process.start(program, arguments);
            QVERIFY2(process.waitForFinished(30000), qPrintable(call));
            if (exitCode < 0) {
                QVERIFY2(process.exitStatus() == QProcess::CrashExit, qPrintable(call));
                continue;
            }
            QVERIFY2(process.exitStatus() == QProcess::NormalExit, qPrintable(call));
            QVERIFY2(process.exitCode() == exitCode, qPrintable(call));
            const QString stdOut = QString::fromUtf8(process.readAllStandardOutput());
            QVERIFY2(out.isEmpty() ? stdOut.isEmpty() : stdOut.startsWith(out), qPrintable(stdOut));
            QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
            // The help names the files a program keeps.
            if (arguments.contains("--help") || arguments.contains("-h")) {
                QVERIFY(program == game
                            ? stdOut.contains("vmos2.dll") && stdOut.contains("bestzeiten.txt")
                            : stdOut.contains("~/.config/Ferlan/ferlan-editor.conf"));
            }
        }
    }

    void editorLoadsTheFileAsLadenWould() {
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("turm.lev"));
        QVERIFY(writeFile(path, "13;2;grum5715 4965 ,;;;\r\n"));
        RecordingPrompts prompts;
        editor::EditorWindow window(&prompts);
        window.show();
        window.loadLevelFile(path);
        QCOMPARE(window.document().height(), 13);
        QCOMPARE(window.document().floor(), 2);
        QVERIFY(prompts.shown.isEmpty());
        // The save dialog then offers the loaded file, as after "Laden".
        window.saveLevelAs();
        QCOMPARE(prompts.shown.last().kind, QStringLiteral("save"));
        QCOMPARE(prompts.shown.last().preset, path);
    }

    void installedGameKeepsProgressPerUser() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("games"));
        QVERIFY(QDir(root.path()).mkpath("share/games/ferlan"));
        const QString programDir = root.filePath("games");
        const QString dataDir = root.filePath("share/games/ferlan");
        const QString userDir = root.filePath("home/.local/share/Ferlan");
        QVERIFY(writeFile(QDir(dataDir).filePath(ProgressFile::kFileName), "0\r\n"));
        QFile::setPermissions(programDir, QFile::ReadOwner | QFile::ExeOwner);

        RecordingPrompts prompts;
        auto window = std::make_unique<GameWindow>(
            ProgressFile::forProgram(programDir, dataDir, userDir), &prompts);
        window->show();
        window->showLevelList();
        QVERIFY(prompts.shown.isEmpty());
        QVERIFY(window->levelLabel(0)->visible() && !window->levelLabel(1)->visible());

        window->startLevel(0);
        GameModel& m = window->model();
        m.KeyUpHeld = true;
        for (int i = 0; i < 5000 && window->session().builtinIndex() != 1; ++i) window->runTick();
        QCOMPARE(window->session().builtinIndex(), 1);
        QCOMPARE(window->notice(), QStringLiteral("Neue Bestzeit!"));  // nothing failed
        QCOMPARE(readFile(QDir(userDir).filePath(ProgressFile::kFileName)), QByteArray("1\r\n"));
        QVERIFY(readFile(QDir(userDir).filePath(BestTimesFile::kFileName)).startsWith("1 "));
        QCOMPARE(readFile(QDir(dataDir).filePath(ProgressFile::kFileName)), QByteArray("0\r\n"));
        QVERIFY(entriesOf(programDir).isEmpty());
        // The next start reads the player's own file.
        QCOMPARE(ProgressFile::forProgram(programDir, dataDir, userDir).read(), 1);
        // Without an installation's data the file stays beside the program.
        QCOMPARE(ProgressFile::forProgram(dataDir, root.filePath("none"), userDir).writePath(),
                 QDir(dataDir).filePath(ProgressFile::kFileName));
        QFile::setPermissions(programDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
