// The floor with one line of text: what any window that shows words pays at
// its start and the floor does not (the font configuration, the first font,
// the first glyphs), so that a program's start can be judged against both.
#include "floor_size.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Ein Level"));
    window.setWindowTitle(QStringLiteral("Minimal mit Text"));
    window.resize(kFloorWidth, kFloorHeight);
    window.show();
    return app.exec();
}
