// Every text the editor's window shows in a message box.
#pragma once

#include <common/utf8_text.h>

#include <QString>

namespace ferlan::editor_texts {

// The window's title: the open file's name (or kUntitled) with Qt's mark for
// unsaved changes.
inline const QString kWindowCaption = QStringLiteral("%1[*] – Ferlan-Editor");
inline const QString kUntitled = QStringLiteral("Neues Level");

inline const QString kFailureCaption = QStringLiteral("Fehler");
inline const QString kIncompleteCaption = QStringLiteral("Unvollständig");
inline const QString kNoFloor = QStringLiteral("Sie haben noch keinen Untergrund gewählt.");
inline const QString kSaveError = QStringLiteral("Fehler beim Speichern der Level-Datei.");
inline const QString kTooFarOut = QStringLiteral(
    "Ein Element liegt zu weit außerhalb des Levels und kann so nicht gespeichert werden. "
    "Bitte schieben Sie es näher an das Level heran.");

inline const QString kNewCaption = QStringLiteral("Neu?");
inline const QString kNewQuestion = QStringLiteral("Wollen Sie wirklich ein neues Level?");
inline const QString kQuitCaption = QStringLiteral("Beenden?");
inline const QString kQuitQuestion = QStringLiteral("Wollen Sie wirklich beenden?");
inline const QString kLoadCaption = QStringLiteral("Laden?");
inline const QString kLoadQuestion = QStringLiteral(
    "Wollen Sie wirklich ein anderes Level laden? Ihre Änderungen sind nicht gespeichert.");

inline const QString kRecentMenu = QStringLiteral("Zuletzt geöffnet");
inline const QString kRecentClear = QStringLiteral("Liste leeren");

inline const QString kTestPlay = QStringLiteral("Testspielen");
inline const QString kNoGame = QStringLiteral(
    "Das Spiel wurde nicht gefunden. Es muss im selben Ordner wie der Editor liegen.");
inline const QString kTestPlayError =
    QStringLiteral("Das Level konnte nicht zum Testspielen gespeichert werden.");

inline const QString kUndo = QStringLiteral("Rückgängig");
inline const QString kRedo = QStringLiteral("Wiederherstellen");

inline const QString kCheckCaption = QStringLiteral("Level prüfen");
inline const QString kCheckProgress =
    QStringLiteral("Das Level wird geprüft.\nVergangene Zeit: %1 s\nDurchsuchte Zustände: %2");
inline const QString kCheckCancel = QStringLiteral("Abbrechen");
inline const QString kSolvable = QStringLiteral("Das Level ist lösbar.");
inline const QString kWonAt =
    QStringLiteral("Gewonnen in Tick %1, nach %2 Sekunden Spielzeit, mit %3.");
inline const QString kUnused = QStringLiteral("Nicht benutzt: %1");
inline const QString kAllUsed = QStringLiteral("Jedes Element liegt am Weg der Kugel.");
inline const QString kWonAtWithoutKeys =
    QStringLiteral("Gewonnen in Tick %1, nach %2 Sekunden Spielzeit, ohne Tastenwechsel.");
inline const QString kOutside = QStringLiteral("Außerhalb des Levels: %1");
inline const QString kPlayerWins =
    QStringLiteral("Ein Spieler mit durchschnittlicher Reaktion gewinnt %1 von %2 Versuchen (%3).");
inline const QString kCheckPlaytest = QStringLiteral(
    "Das Level ist lösbar. Ein Testspieler probiert es: Versuch %2 von %3.\n"
    "Vergangene Zeit: %1 s");
inline const QString kOutsideHint =
    QStringLiteral("%1 außerhalb des Levels – zum Bearbeiten die Höhe vergrößern.");
inline const QString kNotSolved =
    QStringLiteral("Es wurde kein Weg gefunden, auf dem die Kugel das Level schafft.");
inline const QString kOutOfTime = QStringLiteral(
    "Die Suche hat ihre Zeit von %1 Sekunden aufgebraucht (%2 Zustände durchsucht).");
inline const QString kOutOfStates = QStringLiteral(
    "Die Suche hat ihre Grenze von %1 gespeicherten Zuständen erreicht (%2 Zustände durchsucht).");
inline const QString kExhausted = QStringLiteral(
    "Jeder Zustand, den die Kugel in %1 Ticks erreichen kann, wurde durchsucht (%2 Zustände); "
    "keiner gewinnt.");

inline const QString kDirectHelpCaption = QStringLiteral("Direkthilfe?");
inline const QString kDirectHelpOn = QStringLiteral("Wollen Sie die Direkthilfe anschalten?");
inline const QString kDirectHelpOff = QStringLiteral("Wollen Sie die Direkthilfe ausschalten?");
inline const QString kDirectHelpTextCaption = QStringLiteral("Direkthilfe");

inline const QString kHelpCaption = QStringLiteral("Hilfe zum Ferlan-Editor");
inline const QString kHelpText = QStringLiteral(
    "Rechts sehen Sie einen Abschnitt zum Editieren, mit diesem können Sie Elemente des Spiels "
    "in den Hauptteil des Editors, eine Vorschau auf das Level, einfügen. Diese können Sie hier "
    "per Drag & Drop verschieben und auch wieder löschen (Rechtsklick). Die Rohre oben und unten "
    "sind nicht zu verändern, sie sind Ein- und Ausgang des Levels und müssen daher immer "
    "vorhanden sein. Zwischen der Editierleiste und der Vorschau befindet sich eine Leiste, mit "
    "der Sie die Vorschau verschieben können. Um mehr über die editieren - Leiste zu erfahren, "
    "aktivieren Sie die Direkthilfe. Wenn Sie während die Direkthilfe aktiviert ist auf eine "
    "Überschrift klicken, werden Ihnen Informationen zu diesem Bereich angezeigt (Das "
    "Hilfesystem geht davon aus, dass Sie das Spiel und damit auch die einzelnen Elemente und "
    "ihre Bedeutung kennen.). Bedenken Sie auch, dass pro Objekt auch Speicherplatz gebraucht "
    "wird, insbesondere bei Ferlankugeln hat man einen enormen Qualitätsverlust.\n\n"
    "Im Menü „Bearbeiten“ nehmen „Rückgängig“ (Strg+Z) und „Wiederherstellen“ (Strg+Y) "
    "Schritte zurück oder holen sie wieder. „Level prüfen“ (F5) sucht einen Weg, auf dem die "
    "Kugel das Level schafft, zeigt ihn in der Vorschau und sagt, wie schwer das Level für einen "
    "Spieler ist; „Weg anzeigen“ blendet den Weg ein oder aus. „Testspielen“ (F6) startet das "
    "Level so, wie es gerade ist, sofort im Spiel.");

inline const QString kInfoCaption = QStringLiteral("Info zum Ferlan-Editor");
inline const QString kInfoText = QStringLiteral(
    "Dieser Editor dient dazu, Level für das Spiel Ferlan zu entwickeln. "
    "Er wurde vom Ferlan-Projekt geschrieben. "
    "Sie dürfen den Editor und die Level, die Sie mit ihm bauen, frei benutzen und weitergeben. "
    "Der Editor wird ohne jede Gewähr angeboten; für Schäden durch seine Benutzung wird nicht "
    "gehaftet.");

// The direct help of each heading of the edit strip, by the heading's index.
inline QString directHelpText(int heading) {
    switch (heading) {
        case 0:
            return QStringLiteral(
                "Klicken Sie auf ein Bild unter dieser Überschrift, um die Bodentextur des "
                "Levels anzupassen.");
        case 1:
            return QStringLiteral(
                "Mit der Leiste unter dieser Überschrift können Sie die Höhe des Levels "
                "verändern.");
        case 2:
            return QStringLiteral(
                "Klicken Sie auf Ferlan einfügen um einen Ferlanen in das Level einzufügen. Um "
                "zu bestimmen, wie der Ferlan aussieht bzw. sich verhält, passen Sie die Optionen "
                "an. Sie können 25 Ferlanen einfügen.");
        case 3:
            return QStringLiteral(
                "Die Ferlankugel hat nur weniger Optionen und ist rund. Sie können 10 "
                "Ferlankugeln einfügen.");
        case 10:
            return QStringLiteral(
                "Durch die Optionen bestimmen Sie, wie der Ferlanisator die Eisenkugel "
                "ferlanisiert. Sie können 5 Ferlanisatoren einfügen.");
        default: return {};
    }
}

}  // namespace ferlan::editor_texts
