#pragma once

#include <memory>

class QApplication;

namespace platform::qt {

// Chooses X11 unless the environment already chose a Qt platform: shapes, absolute window
// positions and desktop reads need it (Wayland sessions run it through XWayland). Also turns
// off Qt's shared-memory window updates: each asks for a completion event, which would wake two
// threads every frame (the frames' own shared memory asks for none).
void PreferX11();
// True when Qt is going to use X11 but no X server answers.
bool X11DisplayMissing();
// The application object with the style the skin was drawn for.
std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv);

}  // namespace platform::qt
