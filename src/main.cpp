#include <malloc.h>

#include <QApplication>
#include <cstdio>

#include "app/startup.h"
#include "platform/media/mci_device.h"
#include "platform/media/media_engine.h"
#include "platform/platform.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_gui.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_system.h"
#include "platform/qt/qt_wait.h"

int main(int argc, char** argv) {
    // Every station played starts a decoding thread; with glibc's default of an arena per
    // thread (up to eight per core) the freed memory of each lies scattered and the resident
    // size creeps up play after play. Two arenas keep it flat; the threads hardly allocate.
    mallopt(M_ARENA_MAX, 2);
    platform::qt::PreferX11();
    if (platform::qt::X11DisplayMissing()) {
        std::fprintf(stderr,
                     "vexa-radio: no X display could be opened; start it from a desktop session "
                     "(X11, or Wayland with XWayland) or set DISPLAY.\n");
        return 1;
    }
    auto application = platform::qt::CreateApplication(argc, argv);
    platform::qt::QtGui gui;
    platform::qt::QtSystem system;
    platform::qt::QtSurface surface(gui);
    platform::media::MediaEngine audio(platform::media::OutputChoice::kSystem,
                                       platform::qt::KeepWindowsPainted);
    platform::media::MciDevice mci;
    platform::Bind({&gui, &system, &surface, &audio, &mci});
    app::Run();
}
