// A window of "another program" for the end-to-end tests: a title, a colour, optionally full screen.
// Usage: e2e_titled_window <title> [0xRRGGBB] [fullscreen]. Prints the window's id, then "key <code>"
// for every key pressed while it has the focus, and stays until killed.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {
xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    auto* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : 0;
    free(r);
    return a;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: %s <title> [0xRRGGBB] [fullscreen]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 1;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t colour = argc > 2 ? uint32_t(strtoul(argv[2], nullptr, 16)) : 0x808080;
    const bool fullScreen = argc > 3 && strcmp(argv[3], "fullscreen") == 0;
    const xcb_window_t w = xcb_generate_id(c);
    const uint32_t values[] = {colour, XCB_EVENT_MASK_KEY_PRESS};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 700, 500, 320, 200, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const char* title = argv[1];
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom(c, "_NET_WM_NAME"), atom(c, "UTF8_STRING"), 8,
                        uint32_t(strlen(title)), title);
    if (fullScreen) {
        const xcb_atom_t state = atom(c, "_NET_WM_STATE_FULLSCREEN");
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 1,
                            &state);
    }
    xcb_map_window(c, w);
    xcb_flush(c);
    printf("%u\n", w);
    fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
            printf("key %u\n", unsigned(reinterpret_cast<xcb_key_press_event_t*>(event)->detail));
            fflush(stdout);
        }
        free(event);
    }
    return 0;
}
