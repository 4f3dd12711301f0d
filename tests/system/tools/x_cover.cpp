// Shows an exactly black window at a place of the screen, above everything and unmanaged, until
// the process is ended. Usage: x_cover X Y WIDTH HEIGHT
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s X Y WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    const uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root,
                      static_cast<int16_t>(std::atoi(argv[1])),
                      static_cast<int16_t>(std::atoi(argv[2])),
                      static_cast<uint16_t>(std::atoi(argv[3])),
                      static_cast<uint16_t>(std::atoi(argv[4])), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(connection, window);
    // A round trip: the window is on the screen once the reply comes.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    std::printf("shown\n");
    std::fflush(stdout);
    pause();
    return 0;
}
