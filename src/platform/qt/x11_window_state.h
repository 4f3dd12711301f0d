#pragma once

#include <QWindow>

namespace platform::qt {

// Adds or removes _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER on an X window that is not mapped
// yet; Qt keeps states it does not manage when it maps the window. Nothing off X11.
void SetSkipTaskbar(WId window, bool on);

}  // namespace platform::qt
