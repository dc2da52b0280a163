#include "recording_prompts.h"
#include "superuser_bounds.h"
#include "test_files.h"
#include "test_levels.h"
#include "tool_runner.h"

#include <Editor/ui/edit_strip.h>
#include <Editor/ui/editor_window.h>
#include <Editor/ui/preview_widget.h>
#include <Editor/ui/test_play.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDrag>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>

#include <Spiel/sim/best_times.h>
#include <common/pictures.h>
#include <leveldata/builtin_levels.h>
#include <solver/solver.h>

#include <functional>
#include <optional>
#include <utility>

#include <unistd.h>

using namespace ferlan;
using namespace ferlan::editor;

class EditorWindowTest : public QObject {
    Q_OBJECT

private:
    RecordingPrompts prompts;
    std::unique_ptr<EditorWindow> window;
    QTemporaryDir dir;

    template <typename T>
    T* child(const QString& name) {
        T* found = window->findChild<T*>(name);
        if (found == nullptr) qWarning() << "missing" << name;
        return found;
    }
    void click(const QString& name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }
    void trigger(const QString& action) { child<QAction>(action)->trigger(); }
    PreviewWidget* preview() { return window->preview(); }
    // Within a rounding step or two of the colour meant.
    static bool near(QRgb got, const QColor& want) {
        return qAbs(qRed(got) - want.red()) <= 2 && qAbs(qGreen(got) - want.green()) <= 2 &&
               qAbs(qBlue(got) - want.blue()) <= 2;
    }
    // A point of the preview, in its own pixels, from level twips.
    static QPoint at(double xTwips, double yTwips) {
        return QPoint(static_cast<int>(xTwips / 15), static_cast<int>(yTwips / 15));
    }
    // Qt delivers moves and drops only to the widget that took the drag's entry.
    static void enter(QWidget* widget, const QMimeData& mime, QPoint position) {
        QDragEnterEvent event(position, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }
    // Drops what the last press on `from` put into its drag onto this window's preview.
    bool drop(QPoint position) {
        QMimeData mime;
        mime.setData(PreviewWidget::kDragFormat, dragData);
        enter(preview(), mime, position);
        QDropEvent event(position, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(preview(), &event);
        return event.isAccepted();
    }
    // Presses the left button on a preview without starting a real drag, and
    // keeps what the drag would carry.
    void pressLeft(QPoint position, PreviewWidget* on = nullptr) {
        if (on == nullptr) on = preview();
        on->setDragRunner(
            [this](QDrag& drag) { dragData = drag.mimeData()->data(PreviewWidget::kDragFormat); });
        QTest::mousePress(on, Qt::LeftButton, Qt::NoModifier, position);
        QTest::mouseRelease(on, Qt::LeftButton, Qt::NoModifier, position);
    }
    QString loadText(std::string_view text) {
        QString path = dir.filePath("level.lev");
        if (!writeFile(path, QByteArray(text.data(), static_cast<qsizetype>(text.size()))))
            QTest::qFail("cannot write the level file", __FILE__, __LINE__);
        prompts.fileNames = {path};
        trigger("mnuload");
        return path;
    }
    // Runs "Level prüfen" to its message.
    QString checkLevel() {
        prompts.shown.clear();
        trigger("mnucheck");
        [&] { QTRY_VERIFY_WITH_TIMEOUT(!prompts.shown.isEmpty(), 120000); }();
        return prompts.shown.isEmpty() ? QString() : prompts.shown.last().text;
    }
    QString actionText(const char* name) { return child<QAction>(name)->text(); }
    void startUnwinnableCheck(bool changeFirst = false) {
        loadText(testing::kClosedLevel);
        if (changeFirst) click("Command6");
        trigger("mnucheck");
    }
    // How soon is for the player model's and the solver's own tests and the
    // benchmark; here the bound only tells a stopped worker from a hung one.
    bool searchEnds() {
        QElapsedTimer clock;
        clock.start();
        while (window->checkRunning() && clock.elapsed() < 60000) QThread::msleep(1);
        return !window->checkRunning();
    }
    bool enabled(const char* name) { return child<QAction>(name)->isEnabled(); }
    // One notch down over `target`.
    static void turnWheel(QWidget* target) {
        QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &wheel);
    }

    QByteArray dragData;

private slots:
    void initTestCase() {
        // The recent-files list goes to this test's own folder.
        QCoreApplication::setOrganizationName(QStringLiteral("Ferlan-Test"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
    }
    void init() {
        prompts = RecordingPrompts();
        window = std::make_unique<EditorWindow>(&prompts);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()) && dir.isValid());
    }
    void cleanup() { window.reset(); }

    void opensEmptyWithTheStripsDefaults() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Neues Level[*] – Ferlan-Editor"));
        QVERIFY(!window->isWindowModified());
        QCOMPARE(window->centralWidget()->size(), QSize(637, 578));
        QCOMPARE(window->clientHeight(), 8670.f);
        QCOMPARE(preview()->geometry(), QRect(0, 0, 449, 585));
        QCOMPARE(child<QScrollBar>("HScroll1")->minimum(), 9);
        QCOMPARE(child<QScrollBar>("HScroll1")->maximum(), 23);
        QCOMPARE(child<QScrollBar>("VScroll1")->maximum(), 200);
        QVERIFY(!enabled("mnuundo") && !enabled("mnuredo") && !enabled("mnuroute"));
        // The floor pictures are decoded as the strip is first painted.
        for (int texture = 1; texture <= kFloorTextures; ++texture) {
            const QString name = QStringLiteral("Boden%1").arg(texture);
            QTRY_COMPARE(child<QLabel>(name)->pixmap().cacheKey(), picture(name).cacheKey());
        }
    }

    void undoAndRedoNameTheirStepAndGreyWhenThereIsNone() {
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto key = [&](int key, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(window.get(), static_cast<Qt::Key>(key), modifiers);
        };
        const struct {
            std::function<void()> act;
            const char *undo, *redo;  // nullptr: greyed
            int ferlanen, height;
        } steps[] = {
            {[] {}, nullptr, nullptr, 0, 9},
            {[&] { click("Command1"); }, "Rückgängig: Ferlan einfügen", nullptr, 1, 9},
            {[&] { click("Boden2"); }, "Rückgängig: Untergrund wählen", nullptr, 1, 9},
            // The bar's changes join into one step.
            {[&] {
                 child<QScrollBar>("HScroll1")->setValue(10);
                 child<QScrollBar>("HScroll1")->setValue(12);
             },
             "Rückgängig: Höhe ändern", nullptr, 1, 12},
            {[&] { key(Qt::Key_Z, Qt::ControlModifier); }, "Rückgängig: Untergrund wählen",
             "Wiederherstellen: Höhe ändern", 1, 9},
            {[&] { key(Qt::Key_Z, Qt::ControlModifier); }, "Rückgängig: Ferlan einfügen",
             "Wiederherstellen: Untergrund wählen", 1, 9},
            {[&] { key(Qt::Key_Z, Qt::ControlModifier); }, nullptr,
             "Wiederherstellen: Ferlan einfügen", 0, 9},
            {[&] { key(Qt::Key_Y, Qt::ControlModifier); }, "Rückgängig: Ferlan einfügen",
             "Wiederherstellen: Untergrund wählen", 1, 9},
            {[&] { key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); },
             "Rückgängig: Untergrund wählen", "Wiederherstellen: Höhe ändern", 1, 9},
            // Scrolling is no step; a new step ends what could be redone.
            {[&] { child<QScrollBar>("VScroll1")->setValue(50); }, "Rückgängig: Untergrund wählen",
             "Wiederherstellen: Höhe ändern", 1, 9},
            {[&] { click("Command1"); }, "Rückgängig: Ferlan einfügen", nullptr, 2, 9},
            {[&] { click("Command2"); }, "Rückgängig: Ferlankugel einfügen", nullptr, 2, 9},
        };
        // One line per row, so that a failure shows the row.
        const auto line = [](const QString& undo, const QString& redo, int ferlanen, int height) {
            return QStringLiteral("%1 | %2 | %3 | %4").arg(undo, redo).arg(ferlanen).arg(height);
        };
        const auto shown = [&](const char* name) {
            return actionText(name) + (enabled(name) ? "" : " (grau)");
        };
        for (const auto& step : steps) {
            step.act();
            QCOMPARE(line(shown("mnuundo"), shown("mnuredo"),
                          window->document().slotsOf(ElementKind::Ferlan).used(),
                          window->document().height()),
                     line(step.undo ? step.undo : "Rückgängig (grau)",
                          step.redo ? step.redo : "Wiederherstellen (grau)", step.ferlanen,
                          step.height));
        }
        QCOMPARE(window->model().view().scroll, -50);

        // A refused insert is no step: one undo takes away the fifth polariser.
        for (int i = 0; i < 6; ++i) click("Command6");
        QCOMPARE(prompts.shown.size(), 1);
        trigger("mnuundo");
        QCOMPARE(window->document().slotsOf(ElementKind::Transformator).used(), 4);
        QCOMPARE(actionText("mnuundo"), QStringLiteral("Rückgängig: Ferlanisator einfügen"));
    }

    void undoingBackToTheSavedLevelCountsAsUnchanged() {
        click("Boden1");
        click("Command1");
        prompts.fileNames = {dir.filePath("eins.lev")};
        trigger("mnusave");
        click("Command2");
        QVERIFY(window->changed());
        trigger("mnuundo");
        QVERIFY(!window->changed());
        prompts.shown.clear();
        QVERIFY(window->close() && prompts.shown.isEmpty());
        window->show();
        prompts.answers = {true};
        trigger("mnunew");  // asks even with nothing to lose
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), 0);
        QVERIFY(!enabled("mnuundo"));
    }

    void insertCommandsReadTheOptionsAndStopAtTheLimit() {
        click("Command1");
        QCOMPARE(window->document().slot(ElementKind::Ferlan, 1).picture, Picture::krp);
        click("groß");
        click("links");
        click("minus");
        click("unsichtbar");
        click("Command1");
        QCOMPARE(window->document().slot(ElementKind::Ferlan, 2).picture, Picture::glu);
        QCOMPARE(window->document().slot(ElementKind::Ferlan, 1).picture, Picture::krp);
        click("minus2");
        click("Command2");
        QCOMPARE(window->document().slot(ElementKind::Kugel, 1).picture, Picture::m);
        QVERIFY(prompts.shown.isEmpty());

        click("minus7");
        click("Command6");
        QCOMPARE(window->document().slot(ElementKind::Transformator, 1).picture, Picture::am);
        click("neutral3");
        for (int i = 0; i < 5; ++i) click("Command6");
        QCOMPARE(window->document().slot(ElementKind::Transformator, 5).picture, Picture::an);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].line(),
                 RecordingPrompts::error("Fehler",
                                         "Es können keine Transformatoren mehr eingefügt werden."));
    }

    void savingNeedsAFloorThenWritesTheFile() {
        trigger("mnusave");
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Unvollständig"));

        click("Boden3");
        click("Command6");
        const QString path = dir.filePath("eins.lev");
        prompts.fileNames = {path};
        trigger("mnusave");
        QCOMPARE(prompts.shown.last().kind, QStringLiteral("save"));
        QCOMPARE(prompts.shown.last().text, QStringLiteral("Level (*.lev)"));
        QCOMPARE(prompts.shown.last().preset, QString());
        QCOMPARE(readFile(path), QByteArray("9 ;3;;;ap2760 4088 ,;\r\n"));
        QVERIFY(!window->changed());

        // The next save offers the name chosen before; cancelling writes nothing.
        click("Command6");
        trigger("mnusave");
        QCOMPARE(prompts.shown.last().preset, path);
        QCOMPARE(readFile(path), QByteArray("9 ;3;;;ap2760 4088 ,;\r\n"));
    }

    void aFailedSaveKeepsTheOldFileAndTheLevel() {
        const QString folder = dir.filePath("schreibgeschuetzt");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/alt.lev";
        QVERIFY(writeFile(path, "13;2;;;;\r\n"));
        std::optional<ReadOnlyFolder> readOnly(folder);
        if (!readOnly->effective()) QSKIP(readOnly->why().c_str());
        click("Boden1");
        click("Command1");
        const QString missingFolder = dir.filePath("fehlt/neu.lev");
        prompts.fileNames = {path, missingFolder};
        trigger("mnusave");
        trigger("mnusave");
        readOnly.reset();

        QCOMPARE(readFile(path), QByteArray("13;2;;;;\r\n"));
        QVERIFY(!QFile::exists(missingFolder));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"alt.lev"});
        int failures = 0;
        for (const auto& shown : prompts.shown) {
            if (shown.kind != "message") continue;
            QCOMPARE(shown.line(),
                     RecordingPrompts::error("Fehler", "Fehler beim Speichern der Level-Datei."));
            ++failures;
        }
        QCOMPARE(failures, 2);
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), 1);
        QVERIFY(window->changed());
    }

    // Files the reader rejects are the bad-input test's.
    void loadingReplacesTheLevelOrChangesNothing() {
        for (int i = 0; i < 4; ++i) click("Command1");
        const QString good = dir.filePath("gut.lev");
        QVERIFY(writeFile(good, "13;2;grum5715 4965 ,;up645  7095 ,;;\r\n"));
        prompts.shown.clear();
        prompts.fileNames = {good};
        trigger("mnuload");  // "Nein": unsaved work stays, no dialog opens
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Laden?"));
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), 4);
        QVERIFY(enabled("mnuundo") && window->changed());
        prompts.answers = {true};
        prompts.fileNames.clear();
        trigger("mnuload");  // the dialog cancelled
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), 4);

        prompts.answers = {true};
        prompts.fileNames = {good};
        trigger("mnuload");
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), 1);
        QCOMPARE(window->document().slotsOf(ElementKind::Kugel).used(), 1);
        QCOMPARE(window->document().slot(ElementKind::Ferlan, 1).picture, Picture::gru);
        QVERIFY(!enabled("mnuundo"));  // a fresh history
        QCOMPARE(child<QLabel>("Label2")->text(), QStringLiteral(" 13"));
        QCOMPARE(child<QScrollBar>("HScroll1")->value(), 13);
        QCOMPARE(preview()->height(), 13 * 65);
        trigger("mnusave");
        QCOMPARE(prompts.shown.last().preset, good);
    }

    void newAsksFirst() {
        click("Boden2");
        click("Command2");
        prompts.answers = {false};
        trigger("mnunew");
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Neu?"));
        QCOMPARE(window->document().slotsOf(ElementKind::Kugel).used(), 1);
        click("minus2");
        prompts.answers = {true};
        trigger("mnunew");
        QCOMPARE(window->document().slotsOf(ElementKind::Kugel).used(), 0);
        QCOMPARE(window->document().floor(), 0);
        QVERIFY(child<QRadioButton>("minus2")->isChecked());
    }

    void quittingAsksOnlyWhenSomethingCanBeLost() {
        QVERIFY(window->close() && prompts.shown.isEmpty());

        window->show();
        click("Command1");
        prompts.answers = {false};
        QVERIFY(!window->close());
        QCOMPARE(prompts.shown.last().line(), "question | Beenden? | Wollen Sie wirklich beenden?");
        QVERIFY(window->isVisible());

        prompts.answers = {false};
        trigger("mnuend");
        QVERIFY(window->isVisible());
        prompts.shown.clear();
        prompts.answers = {true};
        trigger("mnuend");
        QVERIFY(!window->isVisible());
        QCOMPARE(prompts.shown.size(), 1);
    }

    void directHelpAnswersAHeadingClickOnlyWhileSwitchedOn() {
        // The answer to the question of "mnuturn"; the messages a click on a heading then gives.
        const std::tuple<bool, int, const char*> rounds[] = {
            {false, 0, "an"}, {true, 1, "an"}, {false, 1, "aus"}, {true, 0, "aus"}};
        for (const auto& [answer, messages, to] : rounds) {
            prompts.shown.clear();
            prompts.answers = {answer};
            trigger("mnuturn");
            QCOMPARE(prompts.shown[0].text,
                     QStringLiteral("Wollen Sie die Direkthilfe %1schalten?").arg(to));
            QTest::mouseClick(child<QLabel>("Label1(10)"), Qt::LeftButton);
            QCOMPARE(prompts.shown.size() - 1, messages);
        }
        // Each heading's own text is in the transcript. Switched on, a press that
        // leaves the heading before its release is no click.
        prompts.answers = {true};
        trigger("mnuturn");
        const auto shown = prompts.shown.size();
        QTest::mousePress(child<QLabel>("Label1(0)"), Qt::LeftButton);
        QTest::mouseRelease(child<QLabel>("Label1(0)"), Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(prompts.shown.size(), shown);
    }

    void eachFloorPictureChoosesItsFloorAndThePreviewShowsIt() {
        // A little inside the tile of the fourth row and column, clear of the pipes,
        // and inside the last tile, which only the highest level reaches.
        child<QScrollBar>("HScroll1")->setValue(kMaxHeight);
        const QPoint inTile(20, 20);
        for (int floor = 1; floor <= kFloorTextures; ++floor) {
            click(floorPicture(floor));
            QCOMPARE(window->document().floor(), floor);
            for (const int tile : {3 * kTileColumns + 3, kTileCount - 1}) {
                const QPoint shown =
                    at(LevelDocument::tileLeft(tile), LevelDocument::tileTop(tile));
                QVERIFY(near(preview()->grab().toImage().pixel(shown + inTile),
                             pictureImage(floorPicture(floor)).pixelColor(inTile)));
            }
        }
    }

    void theRouteTakesTheBallsPolarityAndMarksTheExit() {
        // Up in the minus colour, then right in grey; the ball is in the exit at the second point.
        preview()->setRoute({{1500, 3000, Polarity::Plus},
                             {1500, 1500, Polarity::Minus},
                             {3000, 1500, Polarity::Neutral}},
                            1);
        const QImage shown = preview()->grab().toImage();
        const Colour minus = discColours(false)[2];
        const std::pair<QPoint, QColor> pixels[] = {
            {at(1500, 2250), QColor(colourRed(minus), colourGreen(minus), colourBlue(minus))},
            {at(2250, 1500), QColor(128, 128, 128)},
            {at(1500, 1500) - QPoint(0, 8), Qt::black}};  // the exit mark's ring
        for (const auto& [point, colour] : pixels) QVERIFY(near(shown.pixel(point), colour));
    }

    void rightPressOpensTheMenuWhoseDeleteRemovesTheElement() {
        click("Command1");
        click("Command1");
        click("Command2");
        // The charged ball lies above both pole blocks at the common centre.
        const QPoint onElements = at(2760 + 100, 4147.5 + 100);
        bool dragged = false;  // a right press is no grab
        preview()->setDragRunner([&](QDrag&) { dragged = true; });
        QTest::mousePress(preview(), Qt::RightButton, Qt::NoModifier, onElements);
        QMenu* menu = child<QMenu>("menu");
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        trigger("cut");
        QCOMPARE(actionText("mnuundo"), QStringLiteral("Rückgängig: Löschen"));
        QCOMPARE(window->document().slotsOf(ElementKind::Kugel).used(), 0);
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), 2);

        QTest::mousePress(preview(), Qt::RightButton, Qt::NoModifier, onElements);
        menu->hide();
        trigger("cut");
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), 1);

        // A right press on a pipe opens nothing.
        QTest::mousePress(preview(), Qt::RightButton, Qt::NoModifier, at(3000, 100));
        QVERIFY(!menu->isVisible() && !dragged);
    }

    void aDropLandsOnlyOnAFloorTile() {
        click("Command1");  // 720 x 240 at (2760, 4147.5)
        click("Command6");  // 600 x 960 at (2760, 4087.5), above the pole block
        // Move the polariser out of the way first: grab it 30 twips in.
        pressLeft(at(2790, 4117.5));
        QCOMPARE(window->model().view().grabbed.index, 1);
        QCOMPARE(window->model().view().grabbed.kind, ElementKind::Transformator);
        QCOMPARE(window->model().view().grabX, 30.f);
        QVERIFY(drop(at(300, 3000)));
        QCOMPARE(window->document().slot(ElementKind::Transformator, 1).Left, 300 - 30.f);
        QCOMPARE(window->document().slot(ElementKind::Transformator, 1).Top,
                 3000 - window->model().view().grabY);

        // Grab the pole block 90 twips right of its left edge and drop it on
        // a tile over a disc of its own.
        pressLeft(at(2850, 4200));
        QCOMPARE(window->model().view().grabbed.kind, ElementKind::Ferlan);
        const Twips grabX = window->model().view().grabX, grabY = window->model().view().grabY;
        QVERIFY(drop(at(1500, 1500)));
        QCOMPARE(window->document().slot(ElementKind::Ferlan, 1).Left, 1500 - grabX);
        QCOMPARE(window->document().slot(ElementKind::Ferlan, 1).Top, 1500 - grabY);

        // Over the polariser, over a pipe or over the pole block itself: nothing moves.
        const Image before = window->document().slot(ElementKind::Ferlan, 1);
        QVERIFY(!drop(at(400, 3500)) && !drop(at(3000, 300)) && !drop(at(1500, 1500)));
        QCOMPARE(window->document().slot(ElementKind::Ferlan, 1), before);

        QMimeData mime;
        mime.setData(PreviewWidget::kDragFormat, dragData);
        enter(preview(), mime, at(3000, 300));
        QDragMoveEvent overPipe(at(3000, 300), Qt::MoveAction, &mime, Qt::LeftButton,
                                Qt::NoModifier);
        QCoreApplication::sendEvent(preview(), &overPipe);
        QVERIFY(!overPipe.isAccepted());
        QDragMoveEvent overFloor(at(5000, 5000), Qt::MoveAction, &mime, Qt::LeftButton,
                                 Qt::NoModifier);
        QCoreApplication::sendEvent(preview(), &overFloor);
        QVERIFY(overFloor.isAccepted());
    }

    void checkNamesTheSolversTickAndDrawsItsRoute() {
        const QString path = loadText(*builtinLevelText(0));
        const std::string file = path.toStdString();
        QVERIFY(!enabled("mnuroute"));
        const QString text = checkLevel();
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Level prüfen"));
        QVERIFY2(text.startsWith("Das Level ist lösbar.\n"), qPrintable(text));
        // The same text and budget as ferlan-tool solve: the same tick.
        const auto solved = QByteArray::fromStdString(runTool({"solve", file}).out);
        const qsizetype at = solved.indexOf("# won after ");
        QVERIFY(at >= 0);
        const QByteArray tick = solved.mid(at + 12).split(' ').first();
        QVERIFY2(
            text.contains("Gewonnen in Tick " + tick + ", nach " +
                          QString::fromStdString(secondsText(tick.toLongLong())) + " Sekunden"),
            qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("\nNicht benutzt: 1\u00a0Ferlan\n")),
                 qPrintable(text));
        // How hard for a person: the same wins as ferlan-tool playtest on the file.
        const auto played = QByteArray::fromStdString(runTool({"playtest", file}).out);
        const QRegularExpressionMatch won =
            QRegularExpression("won (\\d+) of 20").match(QString::fromUtf8(played));
        QVERIFY(won.hasMatch());
        QVERIFY2(text.contains("Ein Spieler mit durchschnittlicher Reaktion gewinnt " +
                               won.captured(1) + " von 20 Versuchen (leicht)."),
                 qPrintable(text));

        // The route is the ball's centre of every tick of the tool's trace.
        QString script;
        for (const KeyStep& step : window->lastCheck()->solve.steps) {
            script += QString::fromStdString(formatKeyStep(step)) + "\n";
        }
        const QString keys = dir.filePath("keys.txt");
        QVERIFY(writeFile(keys, script.toUtf8()));
        const ToolRun run = runTool({"play", file, "--keys", keys.toStdString(), "--trace"});
        QList<QByteArray> trace = QByteArray::fromStdString(run.out).split('\n');
        trace.removeIf([](const QByteArray& line) { return !line.startsWith("{\"t\":"); });
        const std::vector<RoutePoint>& route = preview()->route();
        QCOMPARE(route.size(), static_cast<std::size_t>(trace.size()));
        for (std::size_t i = 0; i < route.size(); ++i) {
            const QList<QByteArray> ball =
                trace[static_cast<qsizetype>(i)].split('[').at(1).split(',');
            QCOMPARE(route[i].x, ball[0].toFloat() + 240);
            QCOMPARE(route[i].y, ball[1].toFloat() + 240);
        }
        QVERIFY(enabled("mnuroute"));
        trigger("mnuroute");  // unticked: the preview draws no route
        QVERIFY(preview()->route().empty());
        trigger("mnuroute");
        QVERIFY(!preview()->route().empty());

        // A change to the level, its undo and redo, a new level and a loaded one take the route
        // away until the next check.
        prompts.answers = {true};  // "Neu"
        const std::function<void()> ways[] = {
            [&] { click("Command2"); }, [&] { trigger("mnuundo"); }, [&] { trigger("mnuredo"); },
            [&] { trigger("mnunew"); }, [&] { loadText(*builtinLevelText(1)); }};
        for (const auto& way : ways) {
            if (preview()->route().empty()) checkLevel();
            QVERIFY(!preview()->route().empty());
            way();
            QVERIFY(preview()->route().empty() && !enabled("mnuroute"));
        }
        loadText(*builtinLevelText(2));  // won with UL, then UR
        QVERIFY(checkLevel().contains(" Sekunden Spielzeit, mit 1\u00a0Tastenwechsel."));
    }

    void checkSaysSoWhenNoRouteIsFound() {
        window->setSolveOptions({.maxTicks = 60, .progress = {}});  // too short to rise
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_F5);  // no floor needed
        QTRY_VERIFY_WITH_TIMEOUT(!prompts.shown.isEmpty(), 60000);
        const QString text = prompts.shown.last().text;
        QVERIFY2(
            text.startsWith("Es wurde kein Weg gefunden, auf dem die Kugel das Level schafft.\n"),
            qPrintable(text));
        QVERIFY2(text.contains("in 60 Ticks erreichen kann, wurde durchsucht ("), qPrintable(text));
        QVERIFY(!enabled("mnuroute") && preview()->route().empty());
        // The other two budgets, on a level whose search only they can end.
        const std::tuple<std::int64_t, double, const char*> budgets[] = {
            {20, 60, "Grenze von 20 gespeicherten Zuständen erreicht ("},
            {4'000'000, 0.1, "Zeit von 0,1 Sekunden aufgebraucht ("}};
        for (const auto& [states, seconds, says] : budgets) {
            window->setSolveOptions({.seconds = seconds, .maxStates = states, .progress = {}});
            startUnwinnableCheck();
            prompts.shown.clear();
            QTRY_VERIFY_WITH_TIMEOUT(!prompts.shown.isEmpty(), 60000);
            QVERIFY2(prompts.shown.last().text.contains(says),
                     qPrintable(prompts.shown.last().text));
        }
    }

    void cancelEndsTheSearchAndShowsNothing() {
        const int ferlanen = 7;
        const auto shownBefore = prompts.shown.size() + 1;  // the open dialog
        startUnwinnableCheck();
        auto* cancel = child<QPushButton>("checkCancel");
        QVERIFY(cancel != nullptr && cancel->text() == QStringLiteral("Abbrechen"));
        const auto* progressLabel = child<QLabel>("checkProgressLabel");
        QVERIFY(progressLabel != nullptr);
        QTRY_VERIFY(!progressLabel->text().endsWith("Zustände: 0"));
        // The level is shut while the search runs.
        click("Command1");
        turnWheel(preview());
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), ferlanen);
        QVERIFY(!enabled("mnucheck") && !enabled("mnuload") && window->model().view().scroll == 0);

        QVERIFY(window->checkRunning() && !window->checkPlaytesting());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY2(searchEnds(), "the worker did not stop");
        QTRY_VERIFY(window->findChild<QDialog*>("checkProgress") == nullptr);
        QCOMPARE(prompts.shown.size(), shownBefore);
        click("Command1");
        QCOMPARE(window->document().slotsOf(ElementKind::Ferlan).used(), ferlanen + 1);
    }

    void theWheelScrollsThePreviewAndNeverChangesTheHeight() {
        const std::pair<const char*, int> cases[] = {
            {"HScroll1", 0}, {"Picture1", -1}, {"VScroll1", -2}};
        // A notch moves as many lines as the platform says, of 4 units (300 twips) each.
        const int notch = QApplication::wheelScrollLines() * 4;
        for (const auto& [widget, scroll] : cases) {
            turnWheel(child<QWidget>(widget));
            QCOMPARE(window->document().height(), 9);
            QCOMPARE(window->model().view().scroll, scroll * notch);
            QCOMPARE(preview()->y(), scroll * notch * 75 / 15);
        }
    }

    void cancelDuringThePlaytestEndsTheWorker() {
        loadText(*builtinLevelText(21));  // quickly solved, long played
        trigger("mnucheck");
        QTRY_VERIFY_WITH_TIMEOUT(window->checkPlaytesting(), 120000);
        const QRegularExpression attempt(QStringLiteral("Versuch [1-9][0-9]* von 20\\.\n"));
        const auto* progressLabel = child<QLabel>("checkProgressLabel");
        QVERIFY(progressLabel != nullptr);
        QTRY_VERIFY(progressLabel->text().contains(attempt));
        QTest::mouseClick(child<QPushButton>("checkCancel"), Qt::LeftButton);
        // The player model stops at its next step of planning, and a new
        // attempt's map of the believed level stops after its current row.
        QVERIFY2(searchEnds(), "the player model did not stop");
        QTRY_VERIFY(window->findChild<QDialog*>("checkProgress") == nullptr);
        QVERIFY(!window->lastCheck().has_value());
    }

    void closingDuringTheCheckCancelsItThenClosesAsAlways() {
        // A charged ball inserted before the check, the answer to "Beenden?", and whether it closes.
        const std::tuple<bool, bool, bool> cases[] = {
            {false, false, true}, {true, false, false}, {true, true, true}};
        for (const auto& [changed, answer, closed] : cases) {
            init();
            startUnwinnableCheck(changed);
            QVERIFY(window->checkRunning() && !enabled("mnuundo"));
            // The window manager's close reaches only a window no modal box blocks.
            QVERIFY(QApplication::activeModalWidget() == nullptr);
            prompts.shown.clear();
            prompts.answers = {answer};
            QCloseEvent close;
            QCoreApplication::sendEvent(window->windowHandle(), &close);
            QVERIFY2(searchEnds(), "the close did not stop the search");
            QTest::qWait(500);  // a search that ended by itself would show its result now
            QCOMPARE(window->isVisible(), !closed);
            QCOMPARE(prompts.shown.size(), changed ? 1 : 0);
            cleanup();
        }
        init();
    }

    void theTitleNamesTheFileAndMarksUnsavedChanges() {
        const QString saved = dir.filePath("Turm.lev");
        const auto expect = [&](const char* name, bool modified) {
            QCOMPARE(window->windowTitle(), QString::fromUtf8(name) + "[*] – Ferlan-Editor");
            QCOMPARE(window->isWindowModified(), modified);
        };
        click("Boden1");
        expect("Neues Level", true);
        prompts.fileNames = {saved};
        trigger("mnusave");
        expect("Turm.lev", false);
        click("Command1");
        expect("Turm.lev", true);
        trigger("mnuundo");  // back to the saved level
        expect("Turm.lev", false);
        loadText("9 ;2;;;;\r\n");
        expect("level.lev", false);
        prompts.answers = {true};
        trigger("mnunew");
        expect("Neues Level", false);
    }

    void recentFilesKeepTheLastFiveThatStillExist() {
        QStringList paths;
        for (int i = 1; i <= 7; ++i) {
            paths << dir.filePath(QStringLiteral("r%1.lev").arg(i));
            QVERIFY(writeFile(paths.last(), "9 ;1;;;;\r\n"));
            prompts.fileNames = {paths.last()};
            trigger("mnuload");
        }
        const auto listed = [&] {
            child<QMenu>("mnurecent")->aboutToShow();
            QStringList names;
            for (QAction* action : child<QMenu>("mnurecent")->actions()) {
                if (action->objectName().startsWith("mnurecent") &&
                    action->objectName() != "mnurecentclear")
                    names << QFileInfo(action->text().section(' ', 1)).fileName();
            }
            return names;
        };
        QCOMPARE(listed(), (QStringList{"r7.lev", "r6.lev", "r5.lev", "r4.lev", "r3.lev"}));
        QFile::remove(paths[5]);         // r6 is gone
        prompts.fileNames = {paths[3]};  // r4 again: to the top, once
        trigger("mnuload");
        QCOMPARE(listed(), (QStringList{"r4.lev", "r7.lev", "r5.lev", "r3.lev"}));
        click("Command6");  // unsaved: opening r5 asks, and "Nein" keeps r4
        for (const bool answer : {false, true}) {
            prompts.answers = {answer};
            trigger("mnurecent3");
            QCOMPARE(prompts.shown.last().caption, QStringLiteral("Laden?"));
            QCOMPARE(window->currentFile(), paths[answer ? 4 : 3]);
        }
        QVERIFY(writeFile(paths[2], "kaputt"));
        trigger("mnurecent4");  // r3 can no longer be read: it leaves the list
        QCOMPARE(listed(), (QStringList{"r5.lev", "r4.lev", "r7.lev"}));
        QVERIFY(child<QAction>("mnurecentclear")->isEnabled());
        trigger("mnurecentclear");
        QVERIFY(window->findChild<QAction*>("mnurecent1") == nullptr);  // gone from the open menu
        QCOMPARE(listed(), QStringList());
        QVERIFY(!child<QAction>("mnurecentclear")->isEnabled());
        QVERIFY(QDir::setCurrent(dir.path()));
        prompts.fileNames = {"r8.lev"};  // saved by a name relative to the current folder
        trigger("mnusave");
        child<QMenu>("mnurecent")->aboutToShow();
        QCOMPARE(child<QMenu>("mnurecent")->actions().value(0)->text(),
                 "&1 " + QDir::current().filePath("r8.lev"));
    }

    void testPlayNeedsAFloorThenPlaysTheSavedTextInTheGame() {
        // A stand-in for the game keeps a copy of the file it was given.
        const QString played = dir.filePath("gespielt.lev");
        const QString game = dir.filePath("spiel.sh");
        QVERIFY(writeFile(game, "#!/bin/sh\ncp \"$1\" \"" + played.toUtf8() +
                                    "\"\necho \"$1\" > \"" + played.toUtf8() + ".name\"\n"));
        QFile::setPermissions(game, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        window->testPlayer().setGame(game);

        trigger("mnutestplay");
        QCOMPARE(prompts.shown.last().text,
                 QStringLiteral("Sie haben noch keinen Untergrund gewählt."));
        QVERIFY(!QFile::exists(played));

        click("Boden3");
        click("Command1");
        trigger("mnutestplay");
        QTRY_VERIFY_WITH_TIMEOUT(
            window->testPlayer().running() == 0 && QFile::exists(played + ".name"), 30000);
        prompts.fileNames = {dir.filePath("gespeichert.lev")};
        trigger("mnusave");
        QCOMPARE(readFile(played), readFile(dir.filePath("gespeichert.lev")));
        QVERIFY(readFile(played).startsWith("9 ;3;krpp"));
        const QString temporary = QString::fromUtf8(readFile(played + ".name")).trimmed();
        QCOMPARE(QFileInfo(temporary).absolutePath(), QDir::temp().absolutePath());
        QTRY_VERIFY(!QFile::exists(temporary));  // gone with the game

        window->testPlayer().setGame({});
        prompts.shown.clear();
        trigger("mnutestplay");
        window->testPlayer().setGame(played);  // a file that does not start
        trigger("mnutestplay");
        QCOMPARE(prompts.shown.size(), 2);
        for (const auto& shown : prompts.shown)
            QVERIFY(shown.text.startsWith("Das Spiel wurde nicht gefunden."));
    }

    void elementsBelowALoweredHeightAreShownAndNamed() {
        // The polariser lies in row 11 of a level 13 rows high.
        loadText("13;1;;;an3000 10710,;\r\n");
        auto* hint = child<QLabel>("outsideHint");
        const std::pair<int, bool> cases[] = {
            {13, false}, {11, false}, {10, true}, {9, true}, {12, false}};
        for (const auto& [height, shown] : cases) {
            window->changeHeight(height);
            QCOMPARE(hint->isVisible(), shown);
        }
        window->changeHeight(9);
        QVERIFY2(hint->text().startsWith(QStringLiteral("1\u00a0Ferlanisator außerhalb")),
                 qPrintable(hint->text()));
        const QString text = checkLevel();
        QVERIFY2(text.contains(QStringLiteral("Außerhalb des Levels: 1\u00a0Ferlanisator")),
                 qPrintable(text));
    }

    // Every text of the menus, the strip and the boxes a person meets on this
    // walk through the editor, against the transcript kept beside the tests.
    void itsTextsReadAsTheTranscript() {
        child<QMenu>("mnurecent")->aboutToShow();
        QStringList seen;
        const auto see = [&](const QString& text) {
            if (!text.isEmpty()) seen << QString(text).replace('\n', "\\n");
        };
        for (const QAction* action : window->findChildren<QAction*>()) {
            if (!action->objectName().contains(QRegularExpression("^mnurecent\\d")))
                see(action->text());
        }
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            see(button->text());
        for (const QLabel* label : window->findChildren<QLabel*>()) see(label->text());
        for (const QAction* menu : window->menuBar()->actions()) see("in the bar: " + menu->text());
        prompts.answers = {true};
        trigger("mnuturn");
        for (const int heading : {0, 1, 2, 3, 10})
            QTest::mouseClick(child<QLabel>(QStringLiteral("Label1(%1)").arg(heading)),
                              Qt::LeftButton);
        click("Command1");
        for (const char* action : {"mnuinfo", "mnudo", "mnusave", "mnunew", "mnuload", "mnuend"})
            trigger(action);
        click("Boden1");
        window->testPlayer().setGame({});
        trigger("mnutestplay");
        for (const auto& shown : prompts.shown) see(shown.line());
        QCOMPARE(seen, QString::fromUtf8(readFile(FERLAN_TEST_DATA_DIR "/editor_texts.txt"))
                           .split('\n', Qt::SkipEmptyParts));
    }

    void anEmptyLevelsCheckNamesNoKeysAndNoElements() {
        loadText("9 ;1;;;;\r\n");
        const QString text = checkLevel();
        QVERIFY2(text.contains("ohne Tastenwechsel."), qPrintable(text));
        QVERIFY2(!text.contains("Jedes Element"), qPrintable(text));
    }

    void aDropFromAnotherWindowIsIgnored() {
        click("Boden1");
        click("Command1");
        pressLeft(at(2850, 4200));
        QVERIFY(drop(at(1500, 1500)));  // this window's own drag
        EditorWindow other(&prompts);
        other.show();
        other.findChild<QPushButton*>("Command6")->click();
        // A press in the other window, then its drag over this window's floor.
        pressLeft(at(2790, 4117.5), other.preview());
        QCOMPARE(other.model().view().grabbed.index, 1);
        const EditorModel before = window->model();
        QVERIFY(!drop(at(300, 3000)) && window->model() == before);
        QCOMPARE(actionText("mnuundo"), QStringLiteral("Rückgängig: Verschieben"));
    }

    // The real question box answers with the button pressed in it.
    void theRealQuestionAnswersAsPressed() {
        DialogPrompts real(window.get());
        for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
            QTimer poll;
            connect(&poll, &QTimer::timeout, &poll, [button] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                    box->button(button)->click();
            });
            poll.start(10);
            QCOMPARE(real.question("Frage", "?"), button == QMessageBox::Yes);
        }
    }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
