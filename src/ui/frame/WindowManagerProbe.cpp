#include "ui/frame/WindowManagerProbe.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#ifdef QUORVEL_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace quorvel {

#ifdef QUORVEL_HAVE_XCB
namespace {

xcb_atom_t atomNamed(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 1, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// The window named by the property on window, or none.
xcb_window_t windowProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    xcb_window_t value = XCB_WINDOW_NONE;
    if (reply && reply->type == XCB_ATOM_WINDOW && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        std::memcpy(&value, xcb_get_property_value(reply), sizeof value);
    std::free(reply);
    return value;
}

bool x11HasWindowManager(xcb_connection_t *connection)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return true;
    const xcb_atom_t check = atomNamed(connection, "_NET_SUPPORTING_WM_CHECK");
    if (check == XCB_ATOM_NONE)
        return false; // no window manager ever announced itself on this server
    // A window manager that went away leaves a stale property behind: the
    // check window must exist and name itself.
    const xcb_window_t child = windowProperty(connection, screen->root, check);
    return child != XCB_WINDOW_NONE && windowProperty(connection, child, check) == child;
}

} // namespace
#endif

bool hasWindowManager()
{
#ifdef QUORVEL_HAVE_XCB
    if (QGuiApplication::platformName() == u"xcb") {
        if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
            if (xcb_connection_t *connection = x11->connection())
                return x11HasWindowManager(connection);
        }
    }
#endif
    return true;
}

} // namespace quorvel
