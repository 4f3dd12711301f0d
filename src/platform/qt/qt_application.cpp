#include "platform/qt/qt_application.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QByteArray>

namespace platform::qt {

// Each shared-memory update of the screen's frame comes back as a completion event that wakes
// Qt's X reader thread and then the GUI thread: with it the program spent about twice the CPU
// on showing the frames than without.
void PreferX11() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

bool X11DisplayMissing() {
    if (qgetenv("QT_QPA_PLATFORM") != "xcb") return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool missing = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    return missing;
}

std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv) {
    auto application = std::make_unique<QApplication>(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setQuitOnLastWindowClosed(false);
    return application;
}

}  // namespace platform::qt
