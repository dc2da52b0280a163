// The game window driven as a player drives it: mouse moves and clicks on the
// menu labels, keys during play, ticks run one by one, dialogs answered by
// the recording prompts.
#include "game_fixture.h"
#include "recording_prompts.h"

#include <Spiel/ui/game_window.h>
#include <Spiel/ui/progress_file.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace ferlan;

namespace {

const QString kMissingProgress =
    QStringLiteral("Datei mit Spielstand nicht vorhanden oder fehlerhaft.");
const QString kReadError = QStringLiteral("Fehler beim Lesen der Level-Datei.");

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A window with its own program folder and progress file.
struct Game : GameFixture<> {
    using GameFixture::GameFixture;

    QPoint at(QPointF twips) const { return window->toWidget(twips).toPoint(); }
    QPoint centreOf(const SceneItem* item) const { return at(item->rect().center()); }

    void moveTo(QPoint pos) {
        QMouseEvent move(QEvent::MouseMove, pos, window->mapToGlobal(pos), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
    }
    void click(QPoint pos) {
        moveTo(pos);
        QMouseEvent press(QEvent::MouseButtonPress, pos, window->mapToGlobal(pos), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, pos, window->mapToGlobal(pos),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &release);
    }
    void click(const QString& name) { click(centreOf(window->item(name))); }
    void clickLevel(int index) { click(centreOf(window->levelLabel(index))); }

    void key(QEvent::Type type, int key, bool autoRepeat = false,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
        QApplication::sendEvent(window.get(), &event);
    }
    void press(int k) { key(QEvent::KeyPress, k); }
    void release(int k) { key(QEvent::KeyRelease, k); }

    // Runs ticks until `done` holds; false when it never does.
    template <typename Done>
    bool tickUntil(Done done, int limit = 5000) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            window->runTick();
        }
        return done();
    }

    const GameModel& model() const { return window->model(); }
};

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheTitleScreenAndSleeps();
    void highlightsTheLabelUnderTheMouse();
    void levelListShowsTheUnlockedLevels_data();
    void levelListShowsTheUnlockedLevels();
    void zurueckReturnsToTheTitle();
    void aLevelClickBuildsTheFieldWithItsCaptions();
    void enterRebuildsTheLevel();
    void escReturnsToTheRereadLevelList();
    void escAfterALoadedLevelReturnsToTheTitle();
    void arrowsSetAndClearTheHeldFlags();
    void winningChainsToTheNextLevelAndRecordsProgress_data();
    void winningChainsToTheNextLevelAndRecordsProgress();
    void aFailedProgressWriteKeepsPlaying();
    void winningLevel30ShowsGeschafft();
    void aLoadedLevelKeepsItsEndLabel();
    void badLevelFilesChangeNothing_data();
    void badLevelFilesChangeNothing();
    void creditsRollStopsOnKeyAndClick();
    void alarmLampFollowsTheTick();
    void scalesUniformlyWhenResized();
    void fieldCaptionsRedrawWhenTheirTextChanges();
};

void GameWindowTest::opensOnTheTitleScreenAndSleeps() {
    Game game;
    QCOMPARE(game.window->windowTitle(), QStringLiteral("Ferlan"));
    QCOMPARE(game.window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(game.window->size(), QSize(449, 576));
    QVERIFY(game.titleShown());
    QVERIFY(!game.model().Spielflaeche.Visible);
    QVERIFY(!game.model().Anzeigetafel.Visible);
    for (const char* name : {"Spielstarten", "Levelladen", "Credits", "Beenden"}) {
        QVERIFY2(game.window->item(name)->visible(), name);
    }
    QVERIFY(!game.window->item("Überdecken")->visible());
    QVERIFY(!game.window->item("zurück")->visible());
    QVERIFY(!game.window->animating());  // no timer runs on the title screen
}

void GameWindowTest::highlightsTheLabelUnderTheMouse() {
    Game game("29\r\n");
    const QColor black(0, 0, 0), grey(64, 64, 64);
    GameWindow& w = *game.window;
    game.moveTo(game.centreOf(w.item("Levelladen")));
    QCOMPARE(w.item("Levelladen")->colour(), black);
    game.moveTo(game.centreOf(w.item("Credits")));
    QCOMPARE(w.item("Credits")->colour(), black);
    QCOMPARE(w.item("Levelladen")->colour(), grey);
    game.moveTo(game.at({100, 8500}));  // the background
    QCOMPARE(w.item("Credits")->colour(), grey);

    game.click("Spielstarten");
    game.moveTo(game.centreOf(w.levelLabel(4)));
    QCOMPARE(w.levelLabel(4)->colour(), black);
    game.moveTo(game.centreOf(w.item("zurück")));
    QCOMPARE(w.levelLabel(4)->colour(), grey);
    QCOMPARE(w.item("zurück")->colour(), black);
    game.moveTo(game.centreOf(w.levelLabel(4)));
    game.moveTo(game.at({6600, 8500}));
    for (int i = 0; i < kLevelLabelCount; ++i) QCOMPARE(w.levelLabel(i)->colour(), grey);
    QCOMPARE(w.item("zurück")->colour(), grey);
    // Over the cover only the level labels go grey.
    game.moveTo(game.centreOf(w.levelLabel(14)));
    game.moveTo(game.at({3000, 4500}));
    QCOMPARE(w.levelLabel(14)->colour(), grey);
}

void GameWindowTest::levelListShowsTheUnlockedLevels_data() {
    QTest::addColumn<QByteArray>("progress");
    QTest::addColumn<int>("shown");  // -1: the error message
    QTest::newRow("new player") << QByteArray("0\r\n") << 1;
    QTest::newRow("seven") << QByteArray("7\r\n") << 8;
    QTest::newRow("all") << QByteArray("29\r\n") << 30;
    QTest::newRow("thirty") << QByteArray("30\r\n") << -1;
    QTest::newRow("missing") << QByteArray() << -1;
}

void GameWindowTest::levelListShowsTheUnlockedLevels() {
    QFETCH(QByteArray, progress);
    QFETCH(int, shown);
    Game game(progress);
    game.click("Spielstarten");
    if (shown < 0) {
        QCOMPARE(game.prompts.shown.size(), 1);
        QCOMPARE(game.prompts.shown[0].caption, QStringLiteral("Fehler"));
        QCOMPARE(game.prompts.shown[0].text, kMissingProgress);
        QCOMPARE(game.prompts.shown[0].icon, Prompts::Icon::Critical);
        QVERIFY(game.titleShown());
        QCOMPARE(game.shownLevels(), 0);
        return;
    }
    QVERIFY(game.prompts.shown.isEmpty());
    QCOMPARE(game.shownLevels(), shown);
    for (int i = 0; i < kLevelLabelCount; ++i)
        QCOMPARE(game.window->levelLabel(i)->visible(), i < shown);
    QVERIFY(!game.titleShown());
    QVERIFY(game.window->item("Überdecken")->visible());
    QVERIFY(game.window->item("zurück")->visible());
    QCOMPARE(game.window->levelLabel(23)->rect(), QRectF(5040, 2280, 1575, 615));
    QCOMPARE(game.window->levelLabel(22)->rect(), QRectF(5040, 1560, 1455, 615));
    QCOMPARE(game.window->levelLabel(15)->rect(), QRectF(2640, 3840, 1455, 615));
}

void GameWindowTest::zurueckReturnsToTheTitle() {
    Game game("3\r\n");
    game.click("Spielstarten");
    game.click("zurück");
    QVERIFY(game.titleShown());
    QCOMPARE(game.shownLevels(), 0);
    QVERIFY(!game.window->item("Überdecken")->visible());
    QVERIFY(!game.window->item("zurück")->visible());
}

void GameWindowTest::aLevelClickBuildsTheFieldWithItsCaptions() {
    Game game("7\r\n");
    game.click("Spielstarten");
    game.moveTo(game.centreOf(game.window->levelLabel(6)));
    game.clickLevel(6);
    const GameModel& m = game.model();
    QVERIFY(m.Spielflaeche.Visible);
    QVERIFY(m.Anzeigetafel.Visible);
    QVERIFY(m.SpieltimerEnabled);
    QCOMPARE(QString::fromStdString(m.Levelanzeige.Caption), QStringLiteral(" 7"));
    QCOMPARE(QString::fromUtf8(m.Levelanzeiger.Caption.c_str()), QStringLiteral("Level 7"));
    QVERIFY(m.Levelanzeige.Visible);
    QVERIFY(!m.Geladen.Visible);
    QCOMPARE(game.window->levelLabel(6)->colour(), QColor(64, 64, 64));
    QCOMPARE(m.Spielflaeche.Height, 21 * 975.0f);
    QVERIFY(game.window->animating());
    // The field covers the menu: clicks and moves reach no label.
    game.click(game.centreOf(game.window->levelLabel(0)));
    QCOMPARE(QString::fromStdString(m.Levelanzeige.Caption), QStringLiteral(" 7"));
}

void GameWindowTest::enterRebuildsTheLevel() {
    Game game;
    game.click("Spielstarten");
    game.clickLevel(0);
    const GameModel& m = game.model();
    const Image start = m.Eisenkugel;
    game.press(Qt::Key_Up);
    game.press(Qt::Key_Left);
    for (int i = 0; i < 80; ++i) game.window->runTick();
    QVERIFY(m.Eisenkugel.Top != start.Top);
    game.press(Qt::Key_Return);
    QCOMPARE(m.Eisenkugel.Top, start.Top);
    QCOMPARE(m.Eisenkugel.Left, start.Left);
    QVERIFY(m.SpieltimerEnabled);
    QVERIFY(m.KeyUpHeld && m.KeyLeftHeld);  // held keys stay held
    for (int i = 0; i < 80; ++i) game.window->runTick();
    game.key(QEvent::KeyPress, Qt::Key_Enter, false, Qt::KeypadModifier);
    QCOMPARE(m.Eisenkugel.Top, start.Top);
}

void GameWindowTest::escReturnsToTheRereadLevelList() {
    Game game;
    game.click("Spielstarten");
    game.clickLevel(0);
    writeFile(game.progressPath(), "3\r\n");  // won elsewhere meanwhile
    game.press(Qt::Key_Escape);
    const GameModel& m = game.model();
    QVERIFY(!m.Spielflaeche.Visible);
    QVERIFY(!m.Anzeigetafel.Visible);
    QVERIFY(!m.SpieltimerEnabled);  // the hidden level does not play on
    QVERIFY(!game.window->animating());
    QCOMPARE(game.shownLevels(), 4);
    QVERIFY(game.window->item("zurück")->visible());
    QVERIFY(!game.titleShown());
    // A tick asked for now changes nothing.
    const Image ball = m.Eisenkugel;
    game.window->runTick();
    QCOMPARE(m.Eisenkugel.Top, ball.Top);
}

void GameWindowTest::escAfterALoadedLevelReturnsToTheTitle() {
    Game game;
    game.prompts.fileNames << QStringLiteral(FERLAN_TEST_DATA_DIR "/game_empty.lev");
    game.click("Levelladen");
    QCOMPARE(game.prompts.shown.size(), 1);
    QCOMPARE(game.prompts.shown[0].kind, QStringLiteral("open"));
    QCOMPARE(game.prompts.shown[0].text, QStringLiteral("Level (*.lev)"));
    const GameModel& m = game.model();
    QVERIFY(m.Spielflaeche.Visible);
    QVERIFY(m.Geladen.Visible);
    QVERIFY(!m.Levelanzeige.Visible);
    QVERIFY(m.Levelanzeiger.Caption.empty());
    game.press(Qt::Key_Escape);
    QVERIFY(!m.Spielflaeche.Visible);
    QVERIFY(game.titleShown());
    QCOMPARE(game.shownLevels(), 0);
    QCOMPARE(game.prompts.shown.size(), 1);  // no progress read, no message
}

void GameWindowTest::arrowsSetAndClearTheHeldFlags() {
    Game game;
    const GameModel& m = game.model();
    game.press(Qt::Key_Up);
    QVERIFY(!m.KeyUpHeld);  // nothing reaches the field while it is hidden
    game.click("Spielstarten");
    game.clickLevel(0);
    game.press(Qt::Key_Up);
    game.press(Qt::Key_Left);
    QVERIFY(m.KeyUpHeld && m.KeyLeftHeld);
    game.key(QEvent::KeyRelease, Qt::Key_Up, true);  // a repeat's release
    QVERIFY(m.KeyUpHeld);
    game.release(Qt::Key_Up);
    QVERIFY(!m.KeyUpHeld);
    QVERIFY(m.KeyLeftHeld);
    game.key(QEvent::KeyPress, Qt::Key_Down, false, Qt::KeypadModifier);
    game.key(QEvent::KeyPress, Qt::Key_Right, false, Qt::KeypadModifier);
    QVERIFY(m.KeyDownHeld && m.KeyRightHeld);
    // A key-up clears its flag after Esc too.
    game.press(Qt::Key_Escape);
    game.release(Qt::Key_Down);
    QVERIFY(!m.KeyDownHeld);
    // Losing the focus lets go of every key.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(game.window.get(), &focusOut);
    QVERIFY(!m.KeyLeftHeld && !m.KeyRightHeld);
}

void GameWindowTest::winningChainsToTheNextLevelAndRecordsProgress_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("stored");  // what is in the file when the level is won
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new highest") << QByteArray("0\r\n") << QByteArray("0\r\n")
                                 << QByteArray("1\r\n");
    QTest::newRow("replayed") << QByteArray("5\r\n") << QByteArray("5\r\n") << QByteArray("5\r\n");
    QTest::newRow("never lowered")
        << QByteArray("0\r\n") << QByteArray("9\r\n") << QByteArray("9\r\n");
}

void GameWindowTest::winningChainsToTheNextLevelAndRecordsProgress() {
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, after);
    Game game(before);
    game.click("Spielstarten");
    game.clickLevel(0);
    writeFile(game.progressPath(), stored);
    game.press(Qt::Key_Up);  // level 1 is won by holding Up
    const GameModel& m = game.model();
    QVERIFY(game.tickUntil([&] { return m.Levelanzeige.Caption == " 2"; }));
    QCOMPARE(readFile(game.progressPath()), after);
    QCOMPARE(QString::fromUtf8(m.Levelanzeiger.Caption.c_str()), QStringLiteral("Level 2"));
    QVERIFY(m.Eisenkugel.Visible);
    QVERIFY(!m.Levelendeanzeiger.Visible);
    QVERIFY(m.SpieltimerEnabled);
    QVERIFY(game.window->notice().isEmpty());
    QVERIFY(game.prompts.shown.isEmpty());
    // The list after Esc offers what the file holds now.
    game.press(Qt::Key_Escape);
    QCOMPARE(game.shownLevels(), std::max(after.left(1).toInt() + 1, before.left(1).toInt() + 1));
}

void GameWindowTest::aFailedProgressWriteKeepsPlaying() {
    // A program folder that takes no files and a user folder that cannot exist.
    QTemporaryDir dir;
    writeFile(dir.filePath("vmos2.dll"), "0\r\n");
    RecordingPrompts prompts;
    GameWindow window(
        ProgressFile(dir.path(), "/proc/ferlan-test", [](const QString&) { return false; }),
        &prompts);
    window.showLevelList();
    window.startLevel(0);
    window.model().KeyUpHeld = true;
    for (int i = 0; i < 5000 && window.model().Levelanzeige.Caption != " 2"; ++i) window.runTick();
    QCOMPARE(QString::fromStdString(window.model().Levelanzeige.Caption), QStringLiteral(" 2"));
    QVERIFY(window.model().SpieltimerEnabled);
    QVERIFY(prompts.shown.isEmpty());  // no box from inside the tick
    QCOMPARE(window.notice(), QStringLiteral("Spielstand nicht gespeichert!"));
    QCOMPARE(readFile(dir.filePath("vmos2.dll")), QByteArray("0\r\n"));
}

void GameWindowTest::winningLevel30ShowsGeschafft() {
    Game game("29\r\n");
    game.click("Spielstarten");
    game.clickLevel(29);
    GameModel& m = game.window->model();
    // Out of the entry pipe, then straight under the exit.
    QVERIFY(game.tickUntil([&] { return !m.Levelanzeiger.Visible; }));
    m.Eisenkugel.Left = m.Ende.Left + 240;
    m.Eisenkugel.Top = m.Ende.bottom() - 10;
    QVERIFY(game.tickUntil([&] { return m.Geschafft.Visible; }, 200));
    QVERIFY(!m.Eisenkugel.Visible);
    QVERIFY(!m.Levelendeanzeiger.Visible);
    QCOMPARE(QString::fromStdString(m.Levelanzeige.Caption), QStringLiteral(" 30"));
    for (int i = 0; i < 10; ++i) game.window->runTick();
    QVERIFY(m.Geschafft.Visible);
    QCOMPARE(readFile(game.progressPath()), QByteArray("29\r\n"));
}

void GameWindowTest::aLoadedLevelKeepsItsEndLabel() {
    Game game("0\r\n");
    game.prompts.fileNames << QStringLiteral(FERLAN_TEST_DATA_DIR "/game_empty.lev");
    game.click("Levelladen");
    const GameModel& m = game.model();
    game.press(Qt::Key_Up);
    QVERIFY(game.tickUntil([&] { return !m.Eisenkugel.Visible; }));
    for (int i = 0; i < 10; ++i) game.window->runTick();
    QVERIFY(m.Levelendeanzeiger.Visible);
    QVERIFY(!m.Geschafft.Visible);
    QVERIFY(!m.Levelanzeige.Visible);
    QCOMPARE(readFile(game.progressPath()), QByteArray("0\r\n"));
}

void GameWindowTest::badLevelFilesChangeNothing_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("empty") << "empty";
    QTest::newRow("too large") << "large";
    QTest::newRow("missing") << "missing";
    QTest::newRow("not a level") << "garbage";
}

void GameWindowTest::badLevelFilesChangeNothing() {
    QFETCH(QString, kind);
    Game game;
    const QString path = game.dir.filePath("bad.lev");
    if (kind == "folder") QDir(game.dir.path()).mkdir("bad.lev");
    if (kind == "empty") writeFile(path, "");
    // A valid level followed by padding: only its size is wrong.
    if (kind == "large")
        writeFile(path, QByteArray("9 ;1;;;;\r\n") + QByteArray(qsizetype{64} * 1024, ' '));
    if (kind == "garbage") writeFile(path, QByteArray("\x00\x01\xff;;;;;;\r\n", 11));
    // A level played before stays in memory, its list underneath.
    game.click("Spielstarten");
    game.clickLevel(0);
    game.press(Qt::Key_Escape);
    game.click("zurück");
    const std::string text = game.model().Text1;
    game.prompts.shown.clear();
    game.prompts.fileNames << path;
    game.click("Levelladen");
    QCOMPARE(game.prompts.shown.size(), 2);
    QCOMPARE(game.prompts.shown[1].caption, QStringLiteral("Fehler"));
    QCOMPARE(game.prompts.shown[1].text, kReadError);
    QCOMPARE(game.prompts.shown[1].icon, Prompts::Icon::Critical);
    const GameModel& m = game.model();
    QVERIFY(game.titleShown());
    QVERIFY(!m.Spielflaeche.Visible);
    QVERIFY(!m.Anzeigetafel.Visible);
    QVERIFY(m.Levelanzeige.Visible);
    QVERIFY(!m.Geladen.Visible);
    QVERIFY(!m.SpieltimerEnabled);
    QCOMPARE(m.Text1, text);
}

void GameWindowTest::creditsRollStopsOnKeyAndClick() {
    Game game;
    GameWindow& w = *game.window;
    auto start = [&] {
        game.click("Credits");
        QVERIFY(w.credits().running());
        QVERIFY(!game.titleShown());
        QVERIFY(w.item("Überdecken")->visible());
        QVERIFY(w.item("Credits1")->visible() && w.item("Credits2")->visible());
        QCOMPARE(w.item("Credits1")->text(), QStringLiteral("Programmierung:"));
        QVERIFY(w.animating());
    };
    auto stopped = [&] {
        QVERIFY(!w.credits().running());
        QVERIFY(game.titleShown());
        QVERIFY(!w.item("Überdecken")->visible());
        QVERIFY(!w.item("Credits1")->visible() && !w.item("Credits2")->visible());
        QVERIFY(!w.animating());
    };

    start();
    const double top = w.item("Credits2")->rect().top();
    w.advanceCredits();
    QCOMPARE(w.item("Credits2")->rect().top(), top + 150);
    game.press(Qt::Key_Return);  // only stops the roll
    stopped();
    QVERIFY(!game.model().Spielflaeche.Visible);

    start();
    game.click(game.at({100, 8500}));  // the window
    stopped();

    start();
    for (int i = 0; i < 20; ++i) w.advanceCredits();
    game.click(game.centreOf(w.item("Credits2")));
    stopped();

    start();
    game.click(game.at({3000, 4500}));  // the cover
    stopped();
}

void GameWindowTest::alarmLampFollowsTheTick() {
    Game game;
    GameWindow& w = *game.window;
    game.click("Spielstarten");
    game.clickLevel(0);
    GameModel& m = w.model();
    QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Green);
    // Put the ball into the outer disc of pole 1 and let one tick see it.
    QVERIFY(game.tickUntil([&] { return !m.Levelanzeiger.Visible; }));
    m.Eisenkugel.Left = m.Zentrum[1].Left;
    m.Eisenkugel.Top = m.Zentrum[1].Top + 600;
    w.runTick();
    QVERIFY(m.AlarmOn);
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        w.blinkAlarmLamp();
        seen << AlarmLamp::pictureName(w.lamp().picture());
    }
    QCOMPARE(seen, (QStringList{"Alarm1", "Alarm2", "Alarm1"}));
    auto placeBall = [&](Twips left, Twips top) {
        m.Eisenkugel.Left = left;
        m.Eisenkugel.Top = top;
        m.BallVX = m.BallVY = 0;
        w.runTick();
    };
    const Twips inDiscLeft = m.Zentrum[1].Left, inDiscTop = m.Zentrum[1].Top + 600;
    placeBall(3120, 8200);  // clear of every disc
    QVERIFY(!m.AlarmOn);
    w.blinkAlarmLamp();
    QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Green);
    // A touch between two lamp events still shows once.
    placeBall(inDiscLeft, inDiscTop);
    placeBall(3120, 8200);
    w.blinkAlarmLamp();
    QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Alarm2);
    w.blinkAlarmLamp();
    QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Green);
    placeBall(inDiscLeft, inDiscTop);
    game.press(Qt::Key_Return);  // a new build clears the alarm
    QVERIFY(!m.AlarmOn);
    w.blinkAlarmLamp();
    QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Green);
}

void GameWindowTest::scalesUniformlyWhenResized() {
    Game game;
    GameWindow& w = *game.window;
    w.resize(898, 600);  // wide: height decides, the scene is centred
    const QPointF topLeft = w.toWidget({0, 0});
    const QPointF bottomRight = w.toWidget({6735, 8640});
    QCOMPARE(bottomRight.y() - topLeft.y(), 600.0);
    QVERIFY(qAbs((bottomRight.x() - topLeft.x()) - 6735.0 * 600 / 8640) < 1e-6);
    QVERIFY(qAbs(topLeft.x() - (898 - (bottomRight.x() - topLeft.x())) / 2) < 1e-6);
    // A click still finds its label.
    game.click("Spielstarten");
    QVERIFY(game.window->item("zurück")->visible());
    QCOMPARE(w.toScene(w.toWidget({1234.5, 678.25})), QPointF(1234.5, 678.25));
}

void GameWindowTest::fieldCaptionsRedrawWhenTheirTextChanges() {
    Game game("0\r\n");
    game.click("Spielstarten");
    game.clickLevel(0);
    GameModel& m = game.window->model();
    m.SpieltimerEnabled = false;
    // The caption halfway down the window, whatever the field's scroll.
    m.Levelanzeiger.Top = 4000 - m.Spielflaeche.Top;
    m.Levelanzeiger.Visible = true;
    const auto frameWith = [&](const char* caption) {
        m.Levelanzeiger.Caption = caption;
        return game.window->grab().toImage();
    };
    const QImage first = frameWith("Level 1");
    QVERIFY(frameWith("Level 22") != first);
    QCOMPARE(frameWith("Level 1"), first);
    m.Levelanzeiger.Visible = false;
    QVERIFY(game.window->grab().toImage() != first);
}

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
