// Reports, as the X server sees them, when a top-level window is mapped and
// when the first picture reaches it, one line each on standard output:
//
//   map WINDOW SECONDS
//   frame WINDOW SECONDS
//
// SECONDS is the wall clock (as bash's EPOCHREALTIME), so a script can set
// them against the moment it started a program. A window is "shown" to a
// person only when it has something in it: the map alone says nothing about
// the work a program does between showing its window and painting it.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <set>

namespace {

void report(const char* what, xcb_window_t window) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("%s %u %lld.%09ld\n", what, window, static_cast<long long>(now.tv_sec),
                now.tv_nsec);
    std::fflush(stdout);
}

}  // namespace

int main() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "window_watch: keine Verbindung zum X-Server\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (damage == nullptr || damage->present == 0) {
        std::fprintf(stderr, "window_watch: der X-Server kennt die Erweiterung DAMAGE nicht\n");
        return 1;
    }
    // The server answers nothing about damage before the version is agreed.
    std::free(xcb_damage_query_version_reply(
        connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));

    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    // Damage is watched from the window's creation, so that a picture drawn
    // right after the map cannot come before the watch.
    std::set<xcb_window_t> painted;
    while (true) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_wait_for_event(connection), &std::free);
        if (!event) return 0;
        const int type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event.get());
            // Window ids of a program that ended are given out again.
            painted.erase(created->window);
            xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(connection);
        } else if (type == XCB_MAP_NOTIFY) {
            report("map", reinterpret_cast<const xcb_map_notify_event_t*>(event.get())->window);
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_damage_notify_event_t*>(event.get());
            if (painted.insert(notify->drawable).second) report("frame", notify->drawable);
            xcb_damage_destroy(connection, notify->damage);
            xcb_flush(connection);
        }
    }
}
