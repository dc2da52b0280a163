#include "recording_prompts.h"

#include <Editor/ui/edit_strip.h>
#include <Editor/ui/editor_window.h>
#include <Editor/ui/preview_widget.h>

#include <QAction>
#include <QDrag>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace ferlan;
using namespace ferlan::editor;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

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
    // A point of the preview, in its own pixels, from level twips.
    static QPoint at(double xTwips, double yTwips) {
        return QPoint(static_cast<int>(xTwips / 15), static_cast<int>(yTwips / 15));
    }
    // Qt delivers moves and drops only to the widget that took the drag's entry.
    static void enter(QWidget* widget, const QMimeData& mime, QPoint position) {
        QDragEnterEvent event(position, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }
    bool drop(QPoint position) {
        QMimeData mime;
        mime.setData(PreviewWidget::kDragFormat, QByteArray());
        enter(preview(), mime, position);
        QDropEvent event(position, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(preview(), &event);
        return event.isAccepted();
    }
    // Presses the left button on the preview without starting a real drag.
    void pressLeft(QPoint position) {
        preview()->setDragRunner([](QDrag&) {});
        QTest::mousePress(preview(), Qt::LeftButton, Qt::NoModifier, position);
        QTest::mouseRelease(preview(), Qt::LeftButton, Qt::NoModifier, position);
    }

private slots:
    void init() {
        prompts = RecordingPrompts();
        window = std::make_unique<EditorWindow>(&prompts);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(dir.isValid());
    }
    void cleanup() { window.reset(); }

    void opensEmptyWithTheStripsDefaults() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Editor"));
        QCOMPARE(window->centralWidget()->size(), QSize(637, 578));
        QCOMPARE(window->clientHeight(), 8670.f);
        QCOMPARE(preview()->geometry(), QRect(0, 0, 449, 585));
        QCOMPARE(child<QLabel>("Label2")->text(), QStringLiteral(" 9"));
        QCOMPARE(child<QScrollBar>("HScroll1")->minimum(), 9);
        QCOMPARE(child<QScrollBar>("HScroll1")->maximum(), 23);
        QCOMPARE(child<QScrollBar>("VScroll1")->maximum(), 200);
        QCOMPARE(child<QGroupBox>("Frame1")->title(), QStringLiteral("editieren"));
        const QStringList chosen = {"klein", "rechts",    "plus", "sichtbar",
                                    "plus2", "sichtbar2", "plus7"};
        const QStringList others = {"groß",   "links",       "minus",  "unsichtbar",
                                    "minus2", "unsichtbar2", "minus7", "neutral3"};
        for (const QString& name : chosen) {
            QVERIFY2(child<QRadioButton>(name)->isChecked(), qPrintable(name));
        }
        for (const QString& name : others) {
            QVERIFY2(!child<QRadioButton>(name)->isChecked(), qPrintable(name));
        }
        QCOMPARE(child<QRadioButton>("unsichtbar")->text(), QStringLiteral("Polart unsichtbar"));
        QCOMPARE(child<QPushButton>("Command6")->text(), QStringLiteral("Ferlanisator einfügen"));
        for (const char* name : {"Boden1", "Boden2", "Boden3", "Boden4", "Label1(0)", "Label1(1)",
                                 "Label1(2)", "Label1(3)", "Label1(10)"}) {
            QVERIFY2(child<QLabel>(name) != nullptr, name);
        }
        QCOMPARE(window->model().nextFerlan(), 1);
        QCOMPARE(window->model().floor(), 0);
    }

    void menusCarryTheirItemsAndShortcuts() {
        QStringList titles;
        for (QAction* action : window->menuBar()->actions()) titles << action->text();
        QCOMPARE(titles, (QStringList{"Datei", "?"}));
        const struct {
            const char* name;
            const char* text;
            QKeySequence shortcut;
        } items[] = {
            {"mnunew", "Neu", QKeySequence("Ctrl+N")},
            {"mnuload", "Laden", QKeySequence("Ctrl+O")},
            {"mnusave", "Speichern unter", QKeySequence("Ctrl+S")},
            {"mnuend", "Beenden", QKeySequence("Ctrl+Q")},
            {"mnuinfo", "Info", {}},
            {"mnudo", "Benutzen des Editors", {}},
            {"mnuturn", "Direkthilfe an- oder abschalten", {}},
            {"cut", "Löschen", {}},
        };
        for (const auto& item : items) {
            QAction* action = child<QAction>(item.name);
            QVERIFY2(action != nullptr, item.name);
            QCOMPARE(action->text(), QString::fromUtf8(item.text));
            QCOMPARE(action->shortcut(), item.shortcut);
        }
        QCOMPARE(child<QMenu>("menu")->title(), QStringLiteral("Menü"));
        QVERIFY(!window->menuBar()->actions().contains(child<QMenu>("menu")->menuAction()));
    }

    void insertCommandsReadTheOptionsAndStopAtTheLimit() {
        click("Command1");
        QCOMPARE(window->model().ferlan(1).picture, Picture::krp);
        click("groß");
        click("links");
        click("minus");
        click("unsichtbar");
        click("Command1");
        QCOMPARE(window->model().ferlan(2).picture, Picture::glu);
        QCOMPARE(window->model().ferlan(1).picture, Picture::krp);
        click("minus2");
        click("Command2");
        QCOMPARE(window->model().kugel(1).picture, Picture::m);
        QVERIFY(prompts.shown.isEmpty());

        click("neutral3");
        for (int i = 0; i < 6; ++i) click("Command6");
        QCOMPARE(window->model().transformator(5).picture, Picture::an);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Fehler"));
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Es können keine Transformatoren mehr eingefügt werden."));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Critical);
    }

    void heightAndScrollBarsMoveThePreview() {
        child<QScrollBar>("HScroll1")->setValue(10);
        QCOMPARE(child<QLabel>("Label2")->text(), QStringLiteral(" 10"));
        QCOMPARE(preview()->height(), 650);
        child<QScrollBar>("VScroll1")->setValue(200);
        QCOMPARE(window->model().scrollValue(), -200);
        QCOMPARE(preview()->y(), -1000);
        // A new element lands relative to the part in view.
        click("Command2");
        QCOMPARE(window->model().kugel(1).Top, 9750 - (4335 - 187.5f));
    }

    void savingNeedsAFloorThenWritesTheFile() {
        trigger("mnusave");
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].caption, QStringLiteral("Unvollständig"));
        QCOMPARE(prompts.shown[0].text,
                 QStringLiteral("Sie haben noch keinen Untergrund gewählt."));
        QCOMPARE(prompts.shown[0].icon, Prompts::Icon::Critical);

        click("Boden3");
        click("Command6");
        const QString path = dir.filePath("eins.lev");
        prompts.fileNames = {path};
        trigger("mnusave");
        QCOMPARE(prompts.shown.last().kind, QStringLiteral("save"));
        QCOMPARE(prompts.shown.last().text, QStringLiteral("Level (*.lev)"));
        QCOMPARE(prompts.shown.last().preset, QString());
        QCOMPARE(fileBytes(path), QByteArray("9 ;3;;;ap2760 4088 ,;\r\n"));
        QVERIFY(!window->model().changed());

        // The next save offers the name chosen before; cancelling writes nothing.
        click("Command6");
        trigger("mnusave");
        QCOMPARE(prompts.shown.last().preset, path);
        QCOMPARE(fileBytes(path), QByteArray("9 ;3;;;ap2760 4088 ,;\r\n"));
    }

    void aFailedSaveKeepsTheOldFileAndTheLevel() {
        const QString folder = dir.filePath("schreibgeschuetzt");
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + "/alt.lev";
        writeFile(path, "13;2;;;;\r\n");
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        // Permissions do not stop root; an immutable folder does.
        const bool root = geteuid() == 0;
        if (root && QProcess::execute("chattr", {"+i", folder}) != 0) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("cannot make a folder read-only here");
        }
        click("Boden1");
        click("Command1");
        const QString missingFolder = dir.filePath("fehlt/neu.lev");
        prompts.fileNames = {path, missingFolder};
        trigger("mnusave");
        trigger("mnusave");
        if (root) QProcess::execute("chattr", {"-i", folder});
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(fileBytes(path), QByteArray("13;2;;;;\r\n"));
        QVERIFY(!QFile::exists(missingFolder));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"alt.lev"});
        int failures = 0;
        for (const auto& shown : prompts.shown) {
            if (shown.kind != "message") continue;
            QCOMPARE(shown.caption, QStringLiteral("Fehler"));
            QCOMPARE(shown.text, QStringLiteral("Fehler beim Speichern der Level-Datei."));
            QCOMPARE(shown.icon, Prompts::Icon::Critical);
            ++failures;
        }
        QCOMPARE(failures, 2);
        QCOMPARE(window->model().nextFerlan(), 2);
        QVERIFY(window->model().changed());
    }

    void loadingReplacesTheLevelOrChangesNothing() {
        for (int i = 0; i < 4; ++i) click("Command1");
        const QString good = dir.filePath("gut.lev");
        writeFile(good, "13;2;grum5715 4965 ,;up645  7095 ,;;\r\n");
        const QString broken = dir.filePath("kaputt.lev");
        writeFile(broken, "13;2;grpm5715 4965 ,;;;\r\n");
        const QString huge = dir.filePath("gross.lev");
        writeFile(huge, "13;2;;;;" + QByteArray(70000, ' ') + "\r\n");
        const QString empty = dir.filePath("leer.lev");
        writeFile(empty, "");

        for (const QString& bad : {broken, huge, empty, dir.filePath("fehlt.lev"), dir.path()}) {
            prompts.shown.clear();
            prompts.fileNames = {bad};
            trigger("mnuload");
            QCOMPARE(prompts.shown.size(), 2);
            QCOMPARE(prompts.shown[0].kind, QStringLiteral("open"));
            QCOMPARE(prompts.shown[1].text, QStringLiteral("Fehler beim Lesen der Level-Datei."));
            QCOMPARE(prompts.shown[1].caption, QStringLiteral("Fehler"));
            QCOMPARE(window->model().nextFerlan(), 5);
            QCOMPARE(window->model().height(), 9);
        }

        prompts.shown.clear();
        trigger("mnuload");  // cancelled
        QCOMPARE(window->model().nextFerlan(), 5);

        prompts.fileNames = {good};
        trigger("mnuload");
        QCOMPARE(window->model().nextFerlan(), 2);
        QCOMPARE(window->model().nextKugel(), 2);
        QCOMPARE(window->model().ferlan(1).picture, Picture::gru);
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
        QCOMPARE(prompts.shown.last().text, QStringLiteral("Wollen Sie wirklick ein neues Level?"));
        QCOMPARE(window->model().nextKugel(), 2);
        click("minus2");
        prompts.answers = {true};
        trigger("mnunew");
        QCOMPARE(window->model().nextKugel(), 1);
        QCOMPARE(window->model().floor(), 0);
        QVERIFY(child<QRadioButton>("minus2")->isChecked());
    }

    void quittingAsksOnlyWhenSomethingCanBeLost() {
        QVERIFY(window->close());
        QVERIFY(prompts.shown.isEmpty());

        window->show();
        click("Command1");
        prompts.answers = {false};
        QVERIFY(!window->close());
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Beenden?"));
        QCOMPARE(prompts.shown.last().text, QStringLiteral("Wollen Sie wirklick beenden?"));
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

    void directHelpAndInfo() {
        QTest::mouseClick(child<QLabel>("Label1(1)"), Qt::LeftButton);
        QVERIFY(prompts.shown.isEmpty());
        prompts.answers = {true};
        trigger("mnuturn");
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Direkthilfe?"));
        QCOMPARE(prompts.shown.last().text,
                 QStringLiteral("Wollen Sie die Direkthilfe anschalten?"));
        QTest::mouseClick(child<QLabel>("Label1(10)"), Qt::LeftButton);
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Direkthilfe"));
        QCOMPARE(prompts.shown.last().icon, Prompts::Icon::Information);
        QVERIFY(prompts.shown.last().text.startsWith("Durch die Optionen bestimmen Sie"));
        prompts.answers = {false};
        trigger("mnuturn");
        QCOMPARE(prompts.shown.last().text,
                 QStringLiteral("Wollen Sie die Direkthilfe ausschalten?"));
        QTest::mouseClick(child<QLabel>("Label1(0)"), Qt::LeftButton);
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Direkthilfe"));

        trigger("mnuinfo");
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Info zum Ferlan-Editor"));
        QVERIFY(prompts.shown.last().text.startsWith(
            "Dieser Editor dient dazu, Level für das Spiel Ferlan zu entwickeln. "));
        QCOMPARE(prompts.shown.last().icon, Prompts::Icon::Information);
        trigger("mnudo");
        QCOMPARE(prompts.shown.last().caption, QStringLiteral("Hilfe zum Ferlan-Editor"));
        QVERIFY(prompts.shown.last().text.endsWith("enormen Qualitätsverlust."));
    }

    void rightPressOpensTheMenuWhoseDeleteRemovesTheElement() {
        click("Command1");
        click("Command1");
        click("Command2");
        // The charged ball lies above both pole blocks at the common centre.
        const QPoint onElements = at(2760 + 100, 4147.5 + 100);
        QTest::mousePress(preview(), Qt::RightButton, Qt::NoModifier, onElements);
        QMenu* menu = child<QMenu>("menu");
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        trigger("cut");
        QCOMPARE(window->model().nextKugel(), 1);
        QCOMPARE(window->model().nextFerlan(), 3);

        QTest::mousePress(preview(), Qt::RightButton, Qt::NoModifier, onElements);
        menu->hide();
        trigger("cut");
        QCOMPARE(window->model().nextFerlan(), 2);

        // A right press on a pipe opens nothing.
        QTest::mousePress(preview(), Qt::RightButton, Qt::NoModifier, at(3000, 100));
        QVERIFY(!menu->isVisible());
    }

    void aDropLandsOnlyOnAFloorTile() {
        click("Command1");  // 720 x 240 at (2760, 4147.5)
        click("Command6");  // 600 x 960 at (2760, 4087.5), above the pole block
        // Move the polariser out of the way first: grab it 30 twips in.
        pressLeft(at(2790, 4117.5));
        QCOMPARE(window->model().dragIndex(), 1);
        QCOMPARE(window->model().selectedKind(), ElementKind::Transformator);
        QCOMPARE(window->model().grabX(), 30.f);
        QVERIFY(drop(at(300, 3000)));
        QCOMPARE(window->model().transformator(1).Left, 300 - 30.f);
        QCOMPARE(window->model().transformator(1).Top, 3000 - window->model().grabY());

        // Grab the pole block 90 twips right of its left edge and drop it on
        // a tile over a disc of its own.
        pressLeft(at(2850, 4200));
        QCOMPARE(window->model().selectedKind(), ElementKind::Ferlan);
        const Twips grabX = window->model().grabX(), grabY = window->model().grabY();
        QVERIFY(drop(at(1500, 1500)));
        QCOMPARE(window->model().ferlan(1).Left, 1500 - grabX);
        QCOMPARE(window->model().ferlan(1).Top, 1500 - grabY);

        // Over the polariser, over a pipe or over the pole block itself:
        // nothing moves.
        const Image before = window->model().ferlan(1);
        QVERIFY(!drop(at(400, 3500)));
        QVERIFY(!drop(at(3000, 300)));
        QVERIFY(!drop(at(1500, 1500)));
        QCOMPARE(window->model().ferlan(1), before);

        QMimeData mime;
        mime.setData(PreviewWidget::kDragFormat, QByteArray());
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
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
