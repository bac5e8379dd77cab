#pragma once
// What a window tells the window manager beyond Qt's window flags. Only X11 window managers
// read these; on other platforms the calls do nothing.

class QWidget;

namespace velmora::detail {

struct WindowManagerHints {
    // Left out of the task bar (_NET_WM_STATE_SKIP_TASKBAR).
    bool SkipTaskbar = false;
    // A caption bar without minimise and maximise boxes. Window managers such as openbox
    // ignore the Motif hints for the boxes but take both away from a window typed as a
    // torn-off toolbar (_NET_WM_WINDOW_TYPE_TOOLBAR), which keeps its caption, its close box
    // and, unless its size is fixed, its resizing. The window's own type follows in the list
    // for those that do not know it.
    bool NoMinimiseBox = false;
};

// For a top-level window whose native window is made but not shown yet: the window manager
// reads the hints when the window is first mapped.
void SetWindowManagerHints(QWidget& window, const WindowManagerHints& hints);

// Qt keeps a window's requests to the X server until the event loop next waits; sent now, a
// window shown by a load that goes on with other work appears without waiting for that work.
void SendWindowRequests();

}  // namespace velmora::detail
