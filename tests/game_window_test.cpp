// The game window driven as a player drives it: mouse moves, clicks and
// double-clicks on the menu labels, keys during play, ticks run one by one,
// dialogs answered by the recording prompts.
#include "game_fixture.h"
#include "picture_compare.h"
#include "test_files.h"

#include <Spiel/sim/play.h>
#include <Spiel/sim/rules.h>
#include <Spiel/ui/frame_clock.h>
#include <common/pictures.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QTest>

#include <sys/stat.h>

using namespace ferlan;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kGrey(64, 64, 64);

// How many of the picture's pixels are exactly `colour`.
int pixelsOf(const QImage& picture, QColor colour) {
    const QImage shown = picture.convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(shown.constBits());
    return static_cast<int>(
        std::count(pixels, pixels + shown.sizeInBytes() / sizeof(QRgb), colour.rgb()));
}

struct Game : GameFixture<> {
    using GameFixture::GameFixture;

    QPoint at(QPointF twips) const { return window->toWidget(twips).toPoint(); }
    QPoint centreOf(const SceneItem* item) const { return at(item->rect().center()); }
    QPoint centreOf(const QString& name) const { return centreOf(window->item(name)); }

    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, window->mapToGlobal(pos),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(window.get(), &event);
    }
    void moveTo(QPoint pos) { mouse(QEvent::MouseMove, pos, Qt::NoButton); }
    void click(QPoint pos) {
        moveTo(pos);
        mouse(QEvent::MouseButtonPress, pos, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, pos, Qt::NoButton);
    }
    // A double-click as the window receives it: a click, then the second
    // press as a double-click event, then its release.
    void doubleClick(QPoint pos) {
        click(pos);
        mouse(QEvent::MouseButtonDblClick, pos, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, pos, Qt::NoButton);
    }
    void click(const QString& name) { click(centreOf(name)); }

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
        for (int i = 0; i < limit && !done(); ++i) window->runTick();
        return done();
    }
    void playLevel(int index) {
        click("Spielstarten");
        click(centreOf(window->levelLabel(index)));
    }

    GameModel& model() const { return window->model(); }

    // The text of the label in the highlight colour; "" for none.
    QString marked() const {
        QStringList names;
        for (const char* name : {"Spielstarten", "Levelladen", "Credits", "Beenden", "zurück"}) {
            const SceneItem* label = window->item(QString::fromUtf8(name));
            if (label->visible() && label->colour() == kBlack) names << label->text();
        }
        for (int i = 0; i < kBuiltinLevelCount; ++i) {
            const SceneItem* label = window->levelLabel(i);
            if (label->visible() && label->colour() == kBlack) names << label->text();
        }
        return names.join(QLatin1Char(','));
    }
    // A click on "Level laden", and the wait for its dialog.
    void clickLevelladen() {
        const auto before = prompts.shown.size();
        click("Levelladen");
        QTRY_VERIFY_WITH_TIMEOUT(prompts.shown.size() > before, 10000);
    }
    void pressAll(const QList<int>& keys) {
        for (const int k : keys) press(k);
    }
};

// Level 1 is won by holding Up, here after a second of rest.
std::int64_t ticksToWinLevelOne() {
    Session session;
    session.startBuiltin(0);
    for (int i = 0; i < kTicksPerSecond; ++i) session.tick();
    holdArrow(session.field(), Arrow::Up, true);
    while (session.tick() != TickOutcome::Won) {
    }
    return session.attemptTicks();
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT
private slots:
    void levelListShowsTheUnlockedLevels_data() {
        QTest::addColumn<QByteArray>("progress");
        QTest::addColumn<int>("shown");  // -1: the error message
        QTest::newRow("new player") << QByteArray("0\r\n") << 1;
        QTest::newRow("all") << QByteArray("29\r\n") << 30;
        QTest::newRow("thirty") << QByteArray("30\r\n") << -1;
        QTest::newRow("missing") << QByteArray() << -1;
    }

    void levelListShowsTheUnlockedLevels() {
        QFETCH(QByteArray, progress);
        QFETCH(int, shown);
        Game game(progress);
        QCOMPARE(game.window->size(), QSize(449, 576));
        QVERIFY(game.titleShown());
        QVERIFY(!game.window->animating());  // no timer runs on the title screen
        game.click("Spielstarten");
        if (shown < 0) {
            QCOMPARE(game.prompts.shown.size(), 1);
            QCOMPARE(game.prompts.shown[0].line(),
                     RecordingPrompts::error(
                         "Fehler", "Datei mit Spielstand nicht vorhanden oder fehlerhaft."));
            QVERIFY(game.titleShown());
            QCOMPARE(game.shownLevels(), 0);
            return;
        }
        QCOMPARE(game.shownLevels(), shown);
        QVERIFY(game.window->levelLabel(shown - 1)->visible());
        game.moveTo({1, 1});  // off every label: the first key marks the newest level
        game.press(Qt::Key_Left);
        QCOMPARE(game.marked(), QStringLiteral("Level %1").arg(shown));
        game.moveTo(game.centreOf(game.window->levelLabel(shown - 1)));
        game.pressAll({Qt::Key_Up, Qt::Key_Right});  // Right from a full last column stays put
        QCOMPARE(game.marked(), QStringLiteral("Level %1").arg(std::max(shown - 1, 1)));
        QVERIFY(!game.titleShown() && game.window->item("Überdecken")->visible());
        QCOMPARE(game.window->levelLabel(23)->rect(), QRectF(5040, 2280, 1575, 615));
        game.click("zurück");
        QVERIFY(game.titleShown());
        QCOMPARE(game.shownLevels(), 0);
        QVERIFY(!game.window->item("Überdecken")->visible() &&
                !game.window->item("zurück")->visible());
    }

    void highlightsTheLabelUnderTheMouse() {
        // The title's labels: keysMoveTheMarkOverTheTitle.
        Game game("29\r\n");
        GameWindow& w = *game.window;
        game.click("Spielstarten");
        game.moveTo(game.centreOf(w.levelLabel(4)));
        QCOMPARE(w.levelLabel(4)->colour(), kBlack);
        game.mouse(QEvent::MouseButtonPress, game.centreOf(w.levelLabel(4)), Qt::LeftButton);
        game.moveTo(game.centreOf("zurück"));
        game.mouse(QEvent::MouseButtonRelease, game.centreOf("zurück"), Qt::NoButton);  // no click
        QCOMPARE(w.levelLabel(4)->colour(), kGrey);
        QCOMPARE(w.item("zurück")->colour(), kBlack);
        game.moveTo(game.at({6600, 8500}));
        QCOMPARE(w.item("zurück")->colour(), kGrey);
        // Over the cover only the level labels go grey.
        game.moveTo(game.centreOf(w.levelLabel(14)));
        game.moveTo(game.at({3000, 4500}));
        QCOMPARE(w.levelLabel(14)->colour(), kGrey);
    }

    // The first click does its job; the second press lands on whatever that
    // brought up under the pointer and must do nothing there.
    void aDoubleClickClicksOnce_data() {
        QTest::addColumn<QString>("screen");    // what shows before: title, list, credits
        QTest::addColumn<QPointF>("where");     // in window twips
        QTest::addColumn<QString>("expected");  // what shows after
        QTest::newRow("the roll at the height of Beenden")
            << "credits" << QPointF(3247, 4627) << "title";
        QTest::newRow("Spiel starten over Level 13") << "title" << QPointF(3247, 1747) << "list";
        QTest::newRow("Credits over the cover") << "title" << QPointF(3247, 3667) << "credits";
        QTest::newRow("a level label") << "list" << QPointF(500, 427) << "level 1";
        QTest::newRow("a level label on the cover") << "list" << QPointF(3367, 1867) << "level 13";
        QTest::newRow("zurück") << "list" << QPointF(3367, 8227) << "title";
    }

    void aDoubleClickClicksOnce() {
        QFETCH(QString, screen);
        QFETCH(QPointF, where);
        QFETCH(QString, expected);
        Game game("29\r\n");
        if (screen == "list") game.click("Spielstarten");
        if (screen == "credits") game.click("Credits");
        game.doubleClick(game.at(where));
        QString shows = game.titleShown() ? "title" : "list";
        if (game.window->credits().running()) shows = "credits";
        const Session& s = game.window->session();
        if (s.shown()) shows = QStringLiteral("level %1").arg(*s.builtinIndex() + 1);
        QCOMPARE(shows, expected);
        QVERIFY(game.window->isVisible());  // "Beenden" was not clicked
    }

    void keysMoveTheMarkOverTheTitle() {
        Game game;
        QCOMPARE(game.marked(), "Spiel starten");
        // Up and Down stop at the ends; Tab and Shift+Tab go round; Esc has nothing to leave.
        const std::pair<int, const char*> steps[] = {
            {Qt::Key_Up, "Spiel starten"}, {Qt::Key_Down, "Level laden"},
            {Qt::Key_Down, "Credits"},     {Qt::Key_Down, "Beenden"},
            {Qt::Key_Down, "Beenden"},     {Qt::Key_Tab, "Spiel starten"},
            {Qt::Key_Backtab, "Beenden"},  {Qt::Key_Up, "Credits"},
            {Qt::Key_Left, "Credits"},     {Qt::Key_Escape, "Credits"},
        };
        for (const auto& [key, expected] : steps) {
            game.press(key);
            QCOMPARE(game.marked(), QString::fromUtf8(expected));
        }
        // The mouse moves the same mark; off the labels a key brings it back.
        game.moveTo(game.centreOf("Levelladen"));
        game.press(Qt::Key_Down);
        QCOMPARE(game.marked(), "Credits");
        game.moveTo(game.at({100, 8500}));
        QCOMPARE(game.marked(), "");
        game.press(Qt::Key_Down);
        QCOMPARE(game.marked(), "Spiel starten");
        game.moveTo(game.at({200, 8500}));  // stirring on the background keeps it
        QCOMPARE(game.marked(), "Spiel starten");
    }

    void keysMoveTheMarkOverTheList_data() {
        // Fifteen levels: a full first column, five in the second, "zurück" below the second.
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("expected");
        const int up = Qt::Key_Up, down = Qt::Key_Down, left = Qt::Key_Left, right = Qt::Key_Right;
        QTest::newRow("opens on the highest") << QList<int>{} << "Level 15";
        QTest::newRow("up") << QList<int>{up} << "Level 14";
        QTest::newRow("down past the last offered") << QList<int>{down} << "zurück";
        QTest::newRow("down stops at zurück") << QList<int>{down, down, right} << "zurück";
        QTest::newRow("up from zurück") << QList<int>{down, up} << "Level 15";
        QTest::newRow("left") << QList<int>{left} << "Level 5";
        QTest::newRow("left stops") << QList<int>{left, left} << "Level 5";
        QTest::newRow("up stops at the top") << QList<int>{left, up, up, up, up, up} << "Level 1";
        QTest::newRow("down the full column")
            << QList<int>{left, down, down, down, down} << "Level 9";
        QTest::newRow("below the tenth row")
            << QList<int>{left, down, down, down, down, down, down} << "zurück";
        QTest::newRow("right into a shorter column")
            << QList<int>{left, down, down, down, right} << "Level 15";
        QTest::newRow("right") << QList<int>{left, up, right} << "Level 14";
        QTest::newRow("left from the second column's top")
            << QList<int>{up, up, up, up, left} << "Level 1";
        QTest::newRow("right stops") << QList<int>{right} << "Level 15";
        QTest::newRow("up stops at a column's top") << QList<int>{up, up, up, up, up} << "Level 11";
    }

    void keysMoveTheMarkOverTheList() {
        QFETCH(QList<int>, keys);
        QFETCH(QString, expected);
        Game game("14\r\n");
        game.press(Qt::Key_Return);
        QCOMPARE(game.shownLevels(), 15);
        game.pressAll(keys);
        QCOMPARE(game.marked(), expected);
    }

    void enterSpaceAndEscOnTheMenu() {
        Game game("2\r\n");
        const Session& s = game.window->session();
        game.pressAll({Qt::Key_Down, Qt::Key_Space});  // "Level laden", cancelled
        QCOMPARE(game.prompts.shown.size(), 1);
        QCOMPARE(game.prompts.shown.first().kind, "open");
        QCOMPARE(game.marked(), "Level laden");
        game.pressAll({Qt::Key_Down, Qt::Key_Enter});
        QVERIFY(game.window->credits().running());
        game.press(Qt::Key_Space);  // only ends the roll
        QVERIFY(game.titleShown() && !game.window->credits().running());
        game.press(Qt::Key_Return);
        QCOMPARE(game.shownLevels(), 3);
        game.press(Qt::Key_Escape);
        QVERIFY(game.titleShown());
        game.press(Qt::Key_Return);
        game.pressAll({Qt::Key_Down, Qt::Key_Space});  // "zurück"
        QVERIFY(game.titleShown());
        game.pressAll({Qt::Key_Return, Qt::Key_Up});
        game.key(QEvent::KeyPress, Qt::Key_Return, true);  // a held key repeats nothing
        QVERIFY(!s.shown());
        game.press(Qt::Key_Return);
        QVERIFY(s.shown() && s.ticking());
        QCOMPARE(s.builtinIndex(), 1);
    }

    void theMarkFollowsThePointerWhenAScreenComesBack() {
        Game game;
        game.click("Credits");
        game.click(game.centreOf("Beenden"));  // a click on the roll ends it
        QCOMPARE(game.marked(), "Beenden");
        game.click("Spielstarten");
        game.click("zurück");  // nothing of the title lies there
        QCOMPARE(game.marked(), "Spiel starten");
        game.click("Credits");
        game.moveTo(game.centreOf("Levelladen"));
        game.press(Qt::Key_Escape);
        QCOMPARE(game.marked(), "Level laden");
        game.click("Credits");
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(game.window.get(), &leave);
        game.press(Qt::Key_Escape);
        QCOMPARE(game.marked(), "Spiel starten");
    }

    void f11TogglesFullScreen() {
        Game game;
        GameWindow& w = *game.window;
        game.pressAll({Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        game.press(Qt::Key_F11);
        QVERIFY(w.isFullScreen() && w.credits().running());  // not a key that ends the roll
        game.pressAll({Qt::Key_Escape, Qt::Key_Return, Qt::Key_Return});
        QVERIFY(w.session().shown());
        game.press(Qt::Key_Escape);  // leaves the level, not the full screen
        QVERIFY(!w.session().shown() && w.isFullScreen());
        game.press(Qt::Key_F11);
        game.key(QEvent::KeyPress, Qt::Key_F11, true);  // a held F11 repeats nothing
        QVERIFY(!w.isFullScreen());
    }

    void aDoubleClickOnLevelladenOpensOneDialogAfterIt() {
        Game game;
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        game.doubleClick(game.centreOf("Levelladen"));
        QVERIFY(game.prompts.shown.isEmpty());  // not while the double-click goes on
        QTRY_COMPARE_WITH_TIMEOUT(game.prompts.shown.size(), 1, 10000);
        QTest::qWait(2 * interval);
        QCOMPARE(game.prompts.shown.size(), 1);
        // A second press held down keeps the dialog away until its release.
        game.click("Levelladen");
        game.mouse(QEvent::MouseButtonDblClick, game.centreOf("Levelladen"), Qt::LeftButton);
        QTest::qWait(2 * interval);
        QCOMPARE(game.prompts.shown.size(), 1);
        game.mouse(QEvent::MouseButtonRelease, game.centreOf("Levelladen"), Qt::NoButton);
        QCOMPARE(game.prompts.shown.size(), 2);
    }

    void keysDuringPlay() {
        Game game;
        GameModel& m = game.model();
        game.press(Qt::Key_Up);
        QVERIFY(!m.KeyUpHeld);  // nothing reaches the field while it is hidden
        game.playLevel(0);
        const Image start = m.Eisenkugel;
        game.press(Qt::Key_Up);
        game.press(Qt::Key_Left);
        game.key(QEvent::KeyRelease, Qt::Key_Up, true);  // a repeat's release
        QVERIFY(m.KeyUpHeld && m.KeyLeftHeld);
        for (int i = 0; i < 80; ++i) game.window->runTick();
        QVERIFY(m.Eisenkugel.Top != start.Top);
        game.key(QEvent::KeyPress, Qt::Key_Enter, false, Qt::KeypadModifier);
        QCOMPARE(m.Eisenkugel.Top, start.Top);
        QCOMPARE(m.Eisenkugel.Left, start.Left);
        QVERIFY(game.window->session().ticking() && game.window->animating());
        QVERIFY(m.KeyUpHeld && m.KeyLeftHeld);  // held keys stay held
        game.release(Qt::Key_Up);
        QVERIFY(!m.KeyUpHeld && m.KeyLeftHeld);
        game.key(QEvent::KeyPress, Qt::Key_Down, false, Qt::KeypadModifier);
        QVERIFY(m.KeyDownHeld);
        // A key-up clears its flag after Esc too, and losing the focus lets go of every key.
        game.press(Qt::Key_Escape);
        game.release(Qt::Key_Down);
        QVERIFY(!m.KeyDownHeld);
        QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(game.window.get(), &focusOut);
        QVERIFY(!m.KeyLeftHeld);
    }

    void escReturnsToTheListOrTheTitle() {
        Game game;
        const Session& s = game.window->session();
        game.playLevel(0);
        // The field covers the menu: clicks reach no label.
        game.click(game.centreOf(game.window->levelLabel(0)));
        QCOMPARE(s.builtinIndex(), 0);
        QVERIFY(writeFile(game.progressPath(), "3\r\n"));  // won elsewhere meanwhile
        game.press(Qt::Key_Escape);
        QVERIFY(!s.shown() && !s.ticking() && !game.window->animating());
        QCOMPARE(game.shownLevels(), 4);
        QVERIFY(!game.titleShown());

        game.click("zurück");
        game.prompts.fileNames << QStringLiteral(FERLAN_TEST_DATA_DIR "/game_empty.lev");
        game.clickLevelladen();
        QCOMPARE(game.prompts.shown.last().text, QStringLiteral("Level (*.lev)"));
        QVERIFY(s.shown() && !s.builtinIndex());
        game.press(Qt::Key_Escape);
        QVERIFY(game.titleShown());
        QCOMPARE(game.shownLevels(), 0);
        QCOMPARE(game.prompts.shown.size(), 1);  // no progress read, no message
    }

    void aPauseHoldsTheLevelUntilResumed_data() {
        QTest::addColumn<int>("pauseBy");   // 0: the window loses the focus, 1: its activation
        QTest::addColumn<int>("resumeBy");  // 0: a click on the field
        QTest::newRow("P, P") << int(Qt::Key_P) << int(Qt::Key_P);
        QTest::newRow("Pause, click") << int(Qt::Key_Pause) << 0;
        QTest::newRow("focus loss, Pause") << 0 << int(Qt::Key_Pause);
        QTest::newRow("deactivated, click") << 1 << 0;
    }

    void aPauseHoldsTheLevelUntilResumed() {
        QFETCH(int, pauseBy);
        QFETCH(int, resumeBy);
        Game game;
        GameWindow& w = *game.window;
        const Session& s = w.session();
        GameModel& m = game.model();
        game.press(Qt::Key_P);  // nothing to pause on the title screen
        QVERIFY(!s.paused());
        game.playLevel(0);
        game.press(Qt::Key_Up);
        for (int i = 0; i < 80; ++i) w.runTick();
        const QImage playing = w.grab().toImage();
        if (pauseBy > 1) {
            game.press(pauseBy);
        } else {
            QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
            QEvent deactivated(QEvent::ActivationChange);
            QApplication::sendEvent(&w, pauseBy == 0 ? &focusOut : &deactivated);
            QVERIFY(!m.KeyUpHeld);
            game.press(Qt::Key_Up);
        }
        QVERIFY(s.paused() && !s.ticking() && !w.animating());  // no timer wakes the window
        QVERIFY(w.grab().toImage() != playing);                 // dimmed under "Pause"
        const Image held = m.Eisenkugel;
        for (int i = 0; i < 80; ++i) w.runTick();  // a frame already due runs no tick
        QTest::qWait(50);
        QCOMPARE(m.Eisenkugel.Top, held.Top);
        // Neither an arrow key, a right click nor a click on the panel ends the pause.
        game.press(Qt::Key_Down);
        game.release(Qt::Key_Down);
        const FieldObject& panel = m.Anzeigetafel;
        game.click(game.at({panel.Left + panel.Width / 2, panel.Top + panel.Height / 2}));
        game.click(game.at({-100, panel.Top - 600.0}));  // beside the scene
        QTest::mouseClick(&w, Qt::RightButton, {},
                          game.at({GameWindow::kWidth / 2, panel.Top - 600.0}));
        QVERIFY(s.paused());
        if (resumeBy != 0) {
            game.press(resumeBy);
        } else {
            game.click(game.at({GameWindow::kWidth / 2, panel.Top - 600.0}));
        }
        QVERIFY(!s.paused() && s.ticking() && w.animating());
        QCOMPARE(w.grab().toImage(), playing);
        for (int i = 0; i < 80; ++i) w.runTick();
        QVERIFY(m.Eisenkugel.Top != held.Top);
    }

    void escAndEnterKeepTheirMeaningWhilePaused() {
        Game game;
        const Session& s = game.window->session();
        GameModel& m = game.model();
        game.playLevel(0);
        const Image start = m.Eisenkugel;
        game.press(Qt::Key_Up);
        for (int i = 0; i < 80; ++i) game.window->runTick();
        game.press(Qt::Key_Pause);
        game.press(Qt::Key_Return);  // built again and playing
        QVERIFY(!s.paused() && s.ticking());
        QCOMPARE(m.Eisenkugel.Top, start.Top);
        game.press(Qt::Key_P);
        game.press(Qt::Key_Escape);
        QVERIFY(!s.shown() && !s.paused() && !game.window->animating());
        QCOMPARE(game.shownLevels(), 1);
    }

    // Which wins are written, and that the file is never lowered, is the progress
    // file's and the session's to say; here the window puts them together.
    void winningChainsToTheNextLevelAndRecordsProgress() {
        Game game("0\r\n");
        game.playLevel(0);
        game.press(Qt::Key_Up);  // level 1 is won by holding Up
        const GameModel& m = game.model();
        const Session& s = game.window->session();
        QVERIFY(game.tickUntil([&] { return s.builtinIndex() == 1; }));
        QCOMPARE(readFile(game.progressPath()), QByteArray("1\r\n"));
        QVERIFY(m.Eisenkugel.Visible && m.Phase == BallPhase::Entry && s.ticking());
        QVERIFY(game.prompts.shown.isEmpty());
        // The list after Esc offers what the file holds now.
        game.press(Qt::Key_Escape);
        QCOMPARE(game.shownLevels(), 2);
    }

    void aFailedProgressWriteKeepsPlaying() {
        // A program folder that takes no files and a user folder that cannot exist.
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("vmos2.dll"), "0\r\n"));
        RecordingPrompts prompts;
        GameWindow window(
            ProgressFile(dir.path(), "/proc/ferlan-test", [](const QString&) { return false; }),
            &prompts);
        window.showLevelList();
        window.startLevel(0);
        window.model().KeyUpHeld = true;
        for (int i = 0; i < 5000 && window.session().builtinIndex() != 1; ++i) window.runTick();
        QCOMPARE(window.session().builtinIndex(), 1);
        QVERIFY(prompts.shown.isEmpty());  // no box from inside the tick
        // The progress is the graver loss: its notice stands in dark red over the times'.
        QCOMPARE(window.notice(), QStringLiteral("Spielstand nicht gespeichert!"));
        QVERIFY(pixelsOf(window.grab().toImage(), QColor(160, 0, 0)) > 20);
        QCOMPARE(readFile(dir.filePath("vmos2.dll")), QByteArray("0\r\n"));
        window.leaveLevel();  // the notice goes with the level
        QVERIFY(window.notice().isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath(BestTimesFile::kFileName)));
        QVERIFY(window.bestTimes().of(1).has_value());  // kept for the session
    }

    void bestTimesInTheFileThePanelAndTheList_data() {
        const QByteArray win = QByteArray::number(ticksToWinLevelOne());
        const QByteArray faster = QByteArray::number(win.toInt() - 1);
        const QByteArray slower = QByteArray::number(win.toInt() + 1);
        const QString shownWin = QString::fromStdString(secondsText(win.toInt()));
        const QString shownFaster = QString::fromStdString(secondsText(faster.toInt()));
        const QString best = QStringLiteral("Neue Bestzeit!");
        QTest::addColumn<QByteArray>("stored");  // the times file; null: none
        QTest::addColumn<bool>("duringPlay");    // written by another game during the attempt
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("listed");  // under "Level 1" afterwards
        QTest::newRow("first win") << QByteArray() << false << "1 " + win + "\n"
                                   << best << shownWin + " s";
        QTest::newRow("as fast") << "1 " + win + "\n"
                                 << false << "1 " + win + "\n"
                                 << QString() << shownWin + " s";
        QTest::newRow("faster") << "30 5\n1 " + slower << false << "1 " + win + "\n30 5\n"
                                << best << shownWin + " s";
        QTest::newRow("long damaged line") << "1 " + slower + QByteArray(70, 'x') + "\n7 99\n\xff\n"
                                           << false << "1 " + win + "\n7 99\n"
                                           << best << shownWin + " s";
        QTest::newRow("faster one stored by another game")
            << "1 " + faster << true << "1 " + faster << QString() << shownFaster + " s";
        QTest::newRow("a folder in the way")
            << QByteArray("folder") << false << QByteArray()
            << QStringLiteral("Bestzeit nicht gespeichert!") << shownWin + " s";
        // Not a file it could read, so not one it may replace.
        QTest::newRow("a pipe in the way")
            << QByteArray("fifo") << false << QByteArray()
            << QStringLiteral("Bestzeit nicht gespeichert!") << shownWin + " s";
    }

    void bestTimesInTheFileThePanelAndTheList() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, duringPlay);
        QFETCH(QByteArray, after);
        QFETCH(QString, notice);
        QFETCH(QString, listed);
        Game game;
        const QString path = game.dir.filePath(QString::fromLatin1(BestTimesFile::kFileName));
        const auto store = [&] {
            if (stored == "folder") return QDir(game.dir.path()).mkdir(BestTimesFile::kFileName);
            if (stored == "fifo") return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
            return stored.isNull() || writeFile(path, stored);
        };
        if (!duringPlay) QVERIFY(store());
        game.playLevel(0);
        const BestTimes before = BestTimes::parse(duringPlay ? "" : stored.toStdString());
        QString panel = QStringLiteral("Zeit 0,0");
        if (before.of(1))
            panel += "\nBestzeit " + QString::fromStdString(secondsText(*before.of(1)));
        QCOMPARE(game.window->panelTimes(), panel);
        if (duringPlay) QVERIFY(store());
        for (int i = 0; i < kTicksPerSecond; ++i) game.window->runTick();
        QVERIFY(game.window->panelTimes().startsWith(QStringLiteral("Zeit 1,0")));
        game.press(Qt::Key_Up);
        QVERIFY(game.tickUntil([&] { return game.window->session().builtinIndex() == 1; }));
        if (stored == "folder" || stored == "fifo") {
            const QFileInfo left(path);
            QVERIFY(left.exists() && !left.isFile() && left.isDir() == (stored == "folder"));
        } else {
            QCOMPARE(readFile(path), after);
        }
        QCOMPARE(game.window->notice(), notice);
        QVERIFY(game.prompts.shown.isEmpty());
        QCOMPARE(game.window->panelTimes(), QStringLiteral("Zeit 0,0"));  // level 2: no best yet
        game.press(Qt::Key_Escape);
        QCOMPARE(game.window->titleScreen().bestTime(0), listed);
        QCOMPARE(game.window->titleScreen().bestTime(1), QString());
        // Level 30 is not offered yet: its time stays unseen, even one the file holds.
        const QRectF unoffered = game.window->titleScreen().bestTimeRect(29);
        const QRect shown(game.at(unoffered.topLeft()), game.at(unoffered.bottomRight()));
        QCOMPARE(pixelsOf(game.window->grab().toImage().copy(shown), kGrey), 0);
    }

    void bestTimesStandClearOfLabelsAndTheCoverEdge() {
        Game game;
        const TitleScreen& screen = game.window->titleScreen();
        const QRectF cover = screen.cover()->rect();
        for (int i = 0; i < kBuiltinLevelCount; ++i) {
            const QRectF place = screen.bestTimeRect(i);
            const QRectF label = screen.level(i)->rect();
            QVERIFY2(QRectF(0, 0, GameWindow::kWidth, GameWindow::kHeight).contains(place),
                     qPrintable(QString::number(i)));
            // Under the label's writing, within its width.
            QVERIFY(place.top() > label.center().y() && place.top() < label.bottom() &&
                    place.left() >= label.left() && place.right() <= label.right());
            QVERIFY(!place.intersects(screen.zurueck()->rect()));
            for (int j = 0; j < kBuiltinLevelCount; ++j) {
                if (j != i)
                    QVERIFY2(!place.intersects(screen.level(j)->rect()),
                             qPrintable(QString::number(i)));
            }
            QVERIFY2(!place.intersects(cover) || cover.contains(place),
                     qPrintable(QString::number(i)));
        }
    }

    void theLastLevelAndALoadedLevelStayWon() {
        for (const bool last : {true, false}) {
            Game game("29\r\n");
            GameModel& m = game.model();
            if (last) {
                game.playLevel(29);
            } else {
                game.prompts.fileNames << QStringLiteral(FERLAN_TEST_DATA_DIR "/game_empty.lev");
                game.clickLevelladen();
            }
            // A loaded level has no number to name.
            QCOMPARE(game.window->captionsShown(), QStringList{last ? "Level 30" : ""});
            // Out of the entry pipe, then straight under the exit.
            QVERIFY(game.tickUntil([&] { return m.Phase == BallPhase::Field; }));
            QVERIFY(game.window->captionsShown().isEmpty());
            m.Eisenkugel.Left = m.Ende.Left + 240;
            m.Eisenkugel.Top = m.Ende.bottom() - 10;
            QVERIFY(game.tickUntil([&] { return !m.Eisenkugel.Visible; }, 200));
            for (int i = 0; i < 10; ++i) game.window->runTick();
            QCOMPARE(game.window->session().setCompleted(), last);
            QVERIFY(ballInExit(m) && game.window->session().ticking());
            QCOMPARE(game.window->captionsShown(),
                     QStringList{last ? "Herzlichen Glückwunsch! Sie haben Ferlan geschafft."
                                      : "Level geschafft!!!"});
            QCOMPARE(readFile(game.progressPath()), QByteArray("29\r\n"));
        }
    }

    void creditsRoll() {
        Game game;
        GameWindow& w = *game.window;
        // Each way of stopping the roll: a key, a click on the window, on the
        // cover, on a credits line.
        const std::function<void()> stops[] = {
            [&] { game.press(Qt::Key_Return); },
            [&] { game.click(game.at(QPointF(100, 8500))); },
            [&] { game.click(game.at(QPointF(3000, 4500))); },
            [&] {
                for (int i = 0; i < 20; ++i) w.advanceCredits();
                game.click(game.centreOf("Credits2"));
            },
        };
        for (const auto& stop : stops) {
            game.click("Credits");
            QVERIFY(w.credits().running() && w.animating() && !game.titleShown());
            QVERIFY(w.item("Credits1")->visible() && w.item("Überdecken")->visible());
            stop();
            QVERIFY(!w.credits().running() && !w.animating() && game.titleShown());
            QVERIFY(!w.item("Credits2")->visible() && !w.item("Überdecken")->visible());
            QVERIFY(!w.session().shown());
        }
        // No light rim round the roll's lines: the first page's black role line only darkens.
        game.click("Credits");
        for (int i = 0; i < 20; ++i) w.advanceCredits();
        QCOMPARE(w.item("Credits1")->colour(), kBlack);
        w.item("Credits2")->setVisible(false);
        const QImage withRole = w.grab().toImage();
        w.item("Credits1")->setVisible(false);
        const QImage cover = w.grab().toImage();
        int lighter = 0;
        for (int y = 0; y < cover.height(); ++y)
            for (int x = 0; x < cover.width(); ++x)
                lighter += qGray(withRole.pixel(x, y)) > qGray(cover.pixel(x, y));
        QVERIFY(withRole != cover);
        QCOMPARE(lighter, 0);
        game.press(Qt::Key_Return);
        // MouseX follows the pointer over the window, the cover and the role line, not over the
        // name line, which lies on top where the two meet.
        game.click("Credits");
        for (int i = 0; i < 40; ++i) w.advanceCredits();
        const QRectF role = w.item("Credits1")->rect(), name = w.item("Credits2")->rect();
        QVERIFY(role.intersects(name));
        const std::pair<QPointF, bool> moves[] = {{{100, 8500}, true},
                                                  {{3000, 4500}, true},
                                                  {role.center() + QPointF(300, 0), true},
                                                  {name.center() + QPointF(-600, 0), false},
                                                  {role.intersected(name).center(), false}};
        for (const auto& [at, follows] : moves) {
            const double before = w.mouseX();
            game.moveTo(game.at(at));
            QCOMPARE(w.mouseX() != before, follows);
        }
    }

    void alarmLamp() {
        Game game;
        GameWindow& w = *game.window;
        game.playLevel(0);
        GameModel& m = w.model();
        QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Green);
        QVERIFY(game.tickUntil([&] { return m.Phase == BallPhase::Field; }));
        const auto placeBall = [&](bool inDisc) {
            // The outer disc of pole 1, or clear of every disc.
            m.Eisenkugel.Left = inDisc ? m.Zentrum[1].Left : 3120;
            m.Eisenkugel.Top = inDisc ? m.Zentrum[1].Top + 600 : 8200;
            m.BallVX = m.BallVY = 0;
            w.runTick();
        };
        // The lamp's own sequence is AlarmLamp's; here the ticks feed it. A
        // touch between two lamp events still shows once.
        placeBall(true);
        placeBall(false);
        w.blinkAlarmLamp();
        QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Alarm1);
        w.blinkAlarmLamp();
        QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Green);
        // Enter builds the level again and the lamp shows it at once.
        placeBall(true);
        w.blinkAlarmLamp();
        placeBall(true);  // a touch no lamp event has shown yet
        game.press(Qt::Key_Return);
        QCOMPARE(w.lamp().picture(), AlarmLamp::Picture::Green);
    }

    void scalesUniformlyAndRedrawsCaptions() {
        Game game("0\r\n");
        GameWindow& w = *game.window;
        w.resize(898, 600);  // wide: height decides, the scene is centred
        const QPointF topLeft = w.toWidget({0, 0});
        const QPointF bottomRight = w.toWidget({6735, 8640});
        QCOMPARE(bottomRight.y() - topLeft.y(), 600.0);
        QVERIFY(qAbs(topLeft.x() - (898 - (bottomRight.x() - topLeft.x())) / 2) < 1e-6);
        QCOMPARE(w.toScene(w.toWidget({1234.5, 678.25})), QPointF(1234.5, 678.25));
        w.resize(500, 700);  // tall: width decides, the scene is centred
        QCOMPARE(w.toWidget({0, 0}).y(), 700 - w.toWidget({6735, 8640}).y());
        game.playLevel(0);  // a click still finds its label
        // The level's caption shows above the entry until the ball is out.
        const auto frameWith = [&](int index) {
            w.startLevel(index);
            w.session().pause();
            return w.grab().toImage();
        };
        const QImage first = frameWith(0);
        QVERIFY(frameWith(1) != first);
        QCOMPARE(frameWith(0), first);
    }

    void framesDrawnInPiecesMatchAWholeFrame() {
        Game game("29\r\n");
        game.playLevel(10);  // charged balls, poles and a long scroll
        game.press(Qt::Key_Up);
        QTest::qWait(1500);     // real frames: only what changed is drawn
        game.press(Qt::Key_P);  // no frame falls due after this one
        // A busy machine may still owe the screen its last piece; a wrong piece
        // stays wrong however long the wait.
        QScreen* screen = game.window->screen();
        const QImage whole = game.window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTRY_COMPARE_WITH_TIMEOUT(screen->grabWindow(game.window->winId())
                                      .toImage()
                                      .convertToFormat(QImage::Format_RGB32),
                                  whole, 10000);
    }

    // Each element and the ball in its own picture where the model has it (the
    // loaded level has no caption), and the floor down to the field's bottom edge.
    void theFieldShowsEachElementWhereTheModelHasIt() {
        Game game;
        const QString path = game.dir.filePath("drawn.lev");
        QVERIFY(writeFile(path,
                          "9 ;1;grpp5520 4770 ,klmm45   4065 ,;mm4935 6000 ,pp1000 6500 ,;"
                          "ap600  2500 ,an4800 2500 ,;\r\n"));
        game.prompts.fileNames << path;
        game.clickLevelladen();
        GameModel& m = game.model();
        QImage frame = game.window->grab().toImage();  // the ball still in the entry pipe
        const QPointF origin(m.Spielflaeche.Left, m.Spielflaeche.Top);
        const QPointF panel = QPointF(m.Anzeigetafel.Left, m.Anzeigetafel.Top) - origin;
        const auto at = [&](QPointF p) { return game.window->toWidget(origin + p).toPoint(); };
        // The part of its picture the object shows, over what lies under it; the
        // edges blend a little otherwise, a missing picture or one under the ball a lot.
        const auto shows = [&](const FieldObject& o, const QString& name, QPointF shift = {}) {
            const QRect drawn(at(QPointF(o.Left, o.Top) + shift),
                              QSize(qRound(o.Width / 15), qRound(o.Height / 15)));
            QImage wanted = frame.copy(drawn);
            QPainter(&wanted).drawImage(0, 0, pictureImage(name).copy(QRect({}, drawn.size())));
            return isWithin(art::comparePictures(wanted, frame.copy(drawn)), {64, 0.25});
        };
        // The entry pipe over the ball in it, and the loaded level's mark on the panel.
        QVERIFY(shows(m.Anfang, "Anfang") && shows({1420, 70, 480, 480}, "Geladen", panel));
        m.Eisenkugel.Left = 3120;  // clear of the pipes and every element
        m.Eisenkugel.Top = 5000;
        m.BallPolarity = Polarity::Plus;
        frame = game.window->grab().toImage();
        QVERIFY(shows(m.Eisenkugel, "Eisenkugel") &&
                shows({3380, 70, 480, 480}, "Plusanzeige", panel));
        int checked = 0;
        forEachKind([&](const KindTraits& kind) {
            for (const Image& image : fieldSlots(m, kind.kind).images.subspan(1)) {
                const std::string_view name = pictureName(image.picture);
                if (!image.Visible) continue;
                const QString shown = QString::fromLatin1(name.data(), qsizetype(name.size()));
                QVERIFY2(shows(image, shown), qPrintable(shown));
                ++checked;
            }
        });
        QCOMPARE(checked, 6);
        // The floor's last row and column match their neighbours: tiles repeat every 960 twips.
        const double bottom = m.Spielflaeche.Height - 50;
        QCOMPARE(frame.pixelColor(at({200, bottom})), frame.pixelColor(at({200, bottom - 960})));
        QCOMPARE(frame.pixelColor(at({6000, bottom})), frame.pixelColor(at({5040, bottom})));
    }

    void theClockWakesForANoticeAndABeatKeepsItsPhase() {
        FrameClock clock([] {});
        clock.wakeAt(clock.nowNs() + 60'000'000'000);
        clock.schedule();
        QVERIFY(clock.armed());
        clock.wakeAt(0);
        clock.schedule();
        QVERIFY(!clock.armed());
        // A beat switched on again while it runs keeps the tick that fell due meanwhile.
        clock.run(FrameClock::Beat::Tick, true);
        QTest::qSleep(20);
        clock.run(FrameClock::Beat::Tick, true);
        QVERIFY(clock.take(FrameClock::Beat::Tick) >= 1);
    }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
