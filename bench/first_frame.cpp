// Tells when a program's first frame reaches the X server: prints "ready", then watches every
// top-level window that gets mapped and prints the monotonic time (seconds, the clock of
// Python's time.monotonic) of the first drawing that covers exactly the given rectangle of one
// of them: the visualisation's area, which nothing but a presented frame redraws on its own.
// Usage: first_frame X Y WIDTH HEIGHT
#include <time.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Rect {
    int x, y, width, height;
};

double MonotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

bool StartDamage(xcb_connection_t* connection) {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_damage_id);
    if (!extension || !extension->present) return false;
    std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
        xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1),
                                       nullptr),
        &std::free);
    return version != nullptr;
}

void WatchWindow(xcb_connection_t* connection, xcb_window_t window) {
    xcb_damage_create(connection, xcb_generate_id(connection), window,
                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(connection);
}

bool Covers(const xcb_damage_notify_event_t* damage, Rect wanted) {
    return damage->area.x == wanted.x && damage->area.y == wanted.y &&
           damage->area.width == wanted.width && damage->area.height == wanted.height;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: first_frame X Y WIDTH HEIGHT\n");
        return 2;
    }
    const Rect wanted{std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]),
                      std::atoi(argv[4])};
    int screen_number = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
    if (xcb_connection_has_error(connection) || !StartDamage(connection)) {
        std::fprintf(stderr, "first_frame: no X server with the DAMAGE extension\n");
        return 1;
    }
    const uint8_t damage_event = xcb_get_extension_data(connection, &xcb_damage_id)->first_event;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    std::printf("ready\n");
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const double now = MonotonicSeconds();
        const int type = event->response_type & 0x7f;
        if (type == XCB_MAP_NOTIFY) {
            WatchWindow(connection, reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
        } else if (type == damage_event + XCB_DAMAGE_NOTIFY &&
                   Covers(reinterpret_cast<xcb_damage_notify_event_t*>(event), wanted)) {
            std::printf("%.6f\n", now);
            return 0;
        }
        std::free(event);
    }
    return 1;
}
