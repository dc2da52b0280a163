#include "best_times_file.h"
#include "game_window.h"

#include <common/command_line.h>
#include <common/first_frame.h>
#include <common/german_translations.h>
#include <common/pictures.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    const ferlan::CommandLine commandLine = ferlan::readCommandLine(
        argc, argv,
        {QStringLiteral("ferlan"),
         QStringLiteral("Ferlan, das Geschicklichkeitsspiel: eine Eisenkugel zwischen Magnetpolen "
                        "zum Ausgang bringen."),
         QStringLiteral("Spielt diese Level-Datei sofort, wie \"Level laden\"."),
         QStringLiteral("  %1       der Spielstand: das höchste gewonnene eingebaute Level\n"
                        "  %2  die Bestzeiten der eingebauten Level, im selben Ordner\n"
                        "  Beide liegen neben dem Programm oder, wo es dort nicht schreiben darf,\n"
                        "  in ~/.local/share/Ferlan/.\n")
             .arg(QString::fromLatin1(ferlan::ProgressFile::kFileName),
                  QString::fromLatin1(ferlan::BestTimesFile::kFileName))});
    if (commandLine.exitCode) return *commandLine.exitCode;

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ferlan"));
    ferlan::installGermanTranslations(app);
    ferlan::GameWindow window(ferlan::ProgressFile::forThisProgram());
    ferlan::showWithMemoryReady(window);
    if (!commandLine.levelFile.isEmpty()) window.playLevelFile(commandLine.levelFile);
    ferlan::setProgramIconAfterFirstFrame(window.windowHandle(), QStringLiteral("ferlan"));
    return app.exec();
}
