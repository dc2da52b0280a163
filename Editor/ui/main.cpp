#include "editor_window.h"

#include <german_translations.h>
#include <pictures.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ferlan::installGermanTranslations(app);
    app.setWindowIcon(ferlan::programIcon(QStringLiteral("editor")));
    ferlan::editor::EditorWindow window;
    window.show();
    return app.exec();
}
