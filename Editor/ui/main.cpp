#include "editor_window.h"

#include <german_translations.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ferlan::installGermanTranslations(app);
    ferlan::EditorWindow window;
    window.show();
    return app.exec();
}
