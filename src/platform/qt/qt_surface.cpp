#include "platform/qt/qt_surface.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform::qt {

// The frames are composed in 15, 16, 24 or 32-bit colour; other displays cannot show them.
bool QtSurface::Initialise() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    const int depth = screen->depth();
    return depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

void QtSurface::Release() {}

}  // namespace platform::qt
