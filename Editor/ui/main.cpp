#include "editor_window.h"

#include <german_translations.h>
#include <pictures.h>

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ferlan::installGermanTranslations(app);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(ferlan::picture(QStringLiteral("icon_editor_%1").arg(size)));
    }
    app.setWindowIcon(icon);
    ferlan::editor::EditorWindow window;
    window.show();
    return app.exec();
}
