#include "game_window.h"

#include <german_translations.h>
#include <pictures.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ferlan"));
    ferlan::installGermanTranslations(app);
    app.setWindowIcon(ferlan::programIcon(QStringLiteral("ferlan")));
    ferlan::GameWindow window(ferlan::ProgressFile::forThisProgram());
    window.show();
    return app.exec();
}
