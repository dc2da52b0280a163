#include "game_window.h"

#include <common/german_translations.h>
#include <common/pictures.h>

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ferlan"));
    ferlan::installGermanTranslations(app);
    ferlan::GameWindow window(ferlan::ProgressFile::forThisProgram());
    window.show();
    // The icon's pictures are decoded once the window is up, so it opens sooner.
    QTimer::singleShot(
        0, &app, [&app] { app.setWindowIcon(ferlan::programIcon(QStringLiteral("ferlan"))); });
    return app.exec();
}
