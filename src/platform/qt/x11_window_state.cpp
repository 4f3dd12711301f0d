#include "platform/qt/x11_window_state.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform::qt {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

std::vector<xcb_atom_t> States(xcb_connection_t* connection, xcb_window_t window,
                               xcb_atom_t property) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 64),
        nullptr);
    std::vector<xcb_atom_t> states;
    if (reply) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        states.assign(atoms, atoms + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return states;
}

}  // namespace

void SetSkipTaskbar(WId window, bool on) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window);
    const xcb_atom_t property = Atom(connection, "_NET_WM_STATE");
    std::vector<xcb_atom_t> states = States(connection, id, property);
    for (const char* name : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}) {
        const xcb_atom_t atom = Atom(connection, name);
        std::erase(states, atom);
        if (on) states.push_back(atom);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, property, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

}  // namespace platform::qt
