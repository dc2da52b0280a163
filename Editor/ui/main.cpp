#include "editor_window.h"

#include <common/german_translations.h>
#include <common/pictures.h>

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ferlan::installGermanTranslations(app);
    ferlan::editor::EditorWindow window;
    window.show();
    // The icon's pictures are decoded once the window is up, so it opens sooner.
    QTimer::singleShot(
        0, &app, [&app] { app.setWindowIcon(ferlan::programIcon(QStringLiteral("editor"))); });
    return app.exec();
}
