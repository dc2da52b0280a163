// Showing a program's main window so that its first frame comes soon.
#pragma once

class QWidget;

namespace ferlan {

// Shows the top-level `window`, its picture memory laid out beforehand.
// A window's first frame fills every pixel of a picture the size of the
// window, and each page of fresh memory touched for the first time costs a
// trip into the kernel; asked for in one go, the pages cost a fraction of
// that. Call it where `window.show()` would stand.
void showWithMemoryReady(QWidget& window);

}  // namespace ferlan
