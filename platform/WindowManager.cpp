#include "platform/WindowManager.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <vector>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace velmora::detail {

#if QT_CONFIG(xcb)
namespace {

// Qt's offscreen platform answers too, without a connection.
xcb_connection_t* XConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const auto length = static_cast<uint16_t>(std::strlen(name));
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

std::vector<xcb_atom_t> Atoms(xcb_connection_t* connection, xcb_window_t window,
                              xcb_atom_t property) {
    std::vector<xcb_atom_t> atoms;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 64),
        nullptr);
    if (reply != nullptr && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        atoms.assign(values, values + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return atoms;
}

void SetAtoms(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
              const std::vector<xcb_atom_t>& atoms) {
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(atoms.size()), atoms.data());
}

}  // namespace
#endif

void SetWindowManagerHints(QWidget& window, const WindowManagerHints& hints) {
#if QT_CONFIG(xcb)
    xcb_connection_t* connection = XConnection();
    if (connection == nullptr || (!hints.SkipTaskbar && !hints.NoMinimiseBox)) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    if (id == 0) {
        return;
    }
    if (hints.NoMinimiseBox) {
        const xcb_atom_t property = Atom(connection, "_NET_WM_WINDOW_TYPE");
        std::vector<xcb_atom_t> types = Atoms(connection, id, property);
        types.insert(types.begin(), Atom(connection, "_NET_WM_WINDOW_TYPE_TOOLBAR"));
        SetAtoms(connection, id, property, types);
    }
    if (hints.SkipTaskbar) {
        // Qt adds its own states to these when it maps the window.
        const xcb_atom_t property = Atom(connection, "_NET_WM_STATE");
        std::vector<xcb_atom_t> states = Atoms(connection, id, property);
        states.push_back(Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR"));
        SetAtoms(connection, id, property, states);
    }
#else
    (void)window;
    (void)hints;
#endif
}

void SendWindowRequests() {
#if QT_CONFIG(xcb)
    if (xcb_connection_t* connection = XConnection()) {
        xcb_flush(connection);
    }
#endif
}

}  // namespace velmora::detail
