#include "editor_window.h"

#include <common/command_line.h>
#include <common/first_frame.h>
#include <common/german_translations.h>
#include <common/pictures.h>

#include <QApplication>
#include <QImageReader>

#include <fontconfig/fontconfig.h>

#include <thread>

int main(int argc, char* argv[]) {
    // Installed as ferlan-editor: "editor" is the system's text editor.
    const ferlan::CommandLine commandLine = ferlan::readCommandLine(
        argc, argv,
        {QStringLiteral("ferlan-editor"),
         QStringLiteral("Der Level-Editor für Ferlan: Level bauen und als .lev-Datei speichern."),
         QStringLiteral("Öffnet diese Level-Datei sofort, wie \"Laden\"."),
         QStringLiteral(
             "  ~/.config/Ferlan/ferlan-editor.conf  die Liste \"Zuletzt geöffnet\"\n")});
    if (commandLine.exitCode) return *commandLine.exitCode;

    // Reading the system's font configuration is the largest part of the start
    // that a window with a menu bar and captions cannot do without. Qt reads it
    // when the first caption is measured; read here on the other core while Qt
    // connects to the display, it is ready by then. Qt's own call finds it done.
    std::thread fontConfiguration([] { FcInit(); });
    QApplication app(argc, argv);
    // Where the list of recently opened files is kept.
    QCoreApplication::setOrganizationName(QStringLiteral("Ferlan"));
    QCoreApplication::setApplicationName(QStringLiteral("ferlan-editor"));
    ferlan::installGermanTranslations(app);
    // The menu bar's style icons are read by asking every image plugin of the
    // system whether it knows them, which loads all those libraries; loaded
    // on the other core while the window is built, they are ready in time.
    std::thread imagePlugins([] { QImageReader::supportedImageFormats(); });
    // Waited for before the window measures its first caption: were Qt to ask
    // while the thread still reads, the two would each read it all.
    fontConfiguration.join();
    ferlan::editor::EditorWindow window;
    ferlan::showWithMemoryReady(window);
    imagePlugins.join();
    if (!commandLine.levelFile.isEmpty()) window.loadLevelFile(commandLine.levelFile);
    ferlan::setProgramIconAfterFirstFrame(window.windowHandle(), QStringLiteral("editor"));
    return app.exec();
}
