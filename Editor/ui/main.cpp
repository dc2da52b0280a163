#include "editor_window.h"

#include <common/command_line.h>
#include <common/german_translations.h>
#include <common/pictures.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    // Installed as ferlan-editor: "editor" is the system's text editor.
    const ferlan::CommandLine commandLine = ferlan::readCommandLine(
        argc, argv,
        {QStringLiteral("ferlan-editor"),
         QStringLiteral("Der Level-Editor für Ferlan: Level bauen und als .lev-Datei speichern."),
         QStringLiteral("Öffnet diese Level-Datei sofort, wie \"Laden\"."),
         {}});
    if (commandLine.exitCode) return *commandLine.exitCode;

    QApplication app(argc, argv);
    // Where the list of recently opened files is kept.
    QCoreApplication::setOrganizationName(QStringLiteral("Ferlan"));
    QCoreApplication::setApplicationName(QStringLiteral("ferlan-editor"));
    ferlan::installGermanTranslations(app);
    ferlan::editor::EditorWindow window;
    window.show();
    if (!commandLine.levelFile.isEmpty()) window.loadLevelFile(commandLine.levelFile);
    ferlan::setProgramIconAfterFirstFrame(window.windowHandle(), QStringLiteral("editor"));
    return app.exec();
}
