#include "game_window.h"

#include <german_translations.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Ferlan"));
    QCoreApplication::setOrganizationName(QStringLiteral("Ferlan"));
    ferlan::installGermanTranslations(app);
    ferlan::GameWindow window(ferlan::ProgressFile::forThisProgram());
    window.show();
    return app.exec();
}
