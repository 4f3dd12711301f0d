#include "platform/qt/qt_application.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QByteArray>

namespace platform::qt {

void PreferX11() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
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
