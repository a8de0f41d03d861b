// A crowd of another program's top-level windows on the X server, as on a teacher's busy desktop:
// half of them mapped, each titled. Stays until it is killed.
//   window_crowd [windows]   (default 200)
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

} // namespace

int main(int argc, char* argv[])
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "window_crowd: no X server\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    for (int i = 0; i < count; ++i) {
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, int16_t(20 + i % 50 * 8),
                          int16_t(20 + i % 40 * 8), 160, 90, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        const std::string title = "文档 " + std::to_string(i) + " - 编辑器";
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, netWmName, utf8, 8, uint32_t(title.size()),
                            title.data());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            uint32_t(title.size()), title.data());
        if (i % 2 == 0)
            xcb_map_window(c, w);
    }
    xcb_flush(c);
    std::printf("ready\n");
    std::fflush(stdout);
    // Answer nothing, wake for nothing: the windows only have to be there.
    for (;;)
        pause();
}
