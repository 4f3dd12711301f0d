// Prints the rectangles of an X window's bounding shape, one "x y width height" per line, as the
// X server holds them. Usage: x_shape_rects WINDOW_ID
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINDOW_ID\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const auto window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    xcb_shape_get_rectangles_reply_t* reply = xcb_shape_get_rectangles_reply(
        connection, xcb_shape_get_rectangles(connection, window, XCB_SHAPE_SK_BOUNDING), nullptr);
    if (!reply) {
        std::fprintf(stderr, "no such window\n");
        return 1;
    }
    const xcb_rectangle_t* rectangles = xcb_shape_get_rectangles_rectangles(reply);
    for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply); ++i) {
        std::printf("%d %d %d %d\n", rectangles[i].x, rectangles[i].y, rectangles[i].width,
                    rectangles[i].height);
    }
    std::free(reply);
    xcb_disconnect(connection);
    return 0;
}
