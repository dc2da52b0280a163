#include "first_frame.h"

#include <QBackingStore>
#include <QImage>
#include <QWidget>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace ferlan {

void showWithMemoryReady(QWidget& window) {
    // The window's final size is known once it is polished and sized as
    // show() sizes a window nobody has resized, and its picture exists once
    // the native window does: show() finds all three done.
    window.ensurePolished();
    if (!window.testAttribute(Qt::WA_Resized)) {
        window.adjustSize();
        window.setAttribute(Qt::WA_Resized, false);
    }
    (void)window.winId();
    if (QBackingStore* store = window.backingStore()) {
        store->resize(window.size());
#ifdef MADV_POPULATE_WRITE
        // Only the platforms that draw into an image in memory have pages
        // to lay out; a kernel without the request just declines it.
        if (const auto* image = dynamic_cast<const QImage*>(store->paintDevice());
            image != nullptr && image->constBits() != nullptr) {
            const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
            const auto first = reinterpret_cast<std::uintptr_t>(image->constBits());
            const std::uintptr_t begin = first - first % page;
            const std::uintptr_t end = first + static_cast<std::uintptr_t>(image->sizeInBytes());
            // NOLINTNEXTLINE(performance-no-int-to-ptr): the address came from a pointer
            (void)madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
        }
#endif
    }
    window.show();
}

}  // namespace ferlan
