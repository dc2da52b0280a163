// The pictures of both programs, compiled in as resources and loaded once.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

class QWindow;

namespace ferlan {

// The picture named `name`, as the windows call it ("grp", "Boden3",
// "Alarmgrün", "Überdecken") or as its file is named ("Alarmgruen",
// "Ueberdecken.png"). Loaded on first use and kept; the reference stays valid
// for the program's life. An unknown name gives a null pixmap. Needs a
// QGuiApplication.
const QPixmap& picture(const QString& name);

// The same picture as an image, for code that reads pixels.
QImage pictureImage(const QString& name);

// Starts decoding the pictures `names` on another thread and returns at
// once: the first picture() or pictureImage() after it takes them from
// there, waiting for the thread if it has not finished. For the pictures a
// window's first frame shows, read while the window is built.
void decodeAhead(const QStringList& names);

// The picture of floor texture `texture` (1 to 4).
QString floorPicture(int texture);

// The icon of "ferlan" or "editor" in every size drawn. Each size is read
// only when the desktop asks for it, so start-up decodes none of them.
QIcon programIcon(const QString& program);

// Gives the application the icon of `program` once `window` has painted its
// first frame: setting an icon decodes every size of it at once, which
// before the first frame would keep the window from the screen that much
// longer.
void setProgramIconAfterFirstFrame(QWindow* window, const QString& program);

}  // namespace ferlan
