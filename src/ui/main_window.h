#pragma once

namespace ui {

// Opens the main window at the stored position with all its controls, the probe timer and the
// visualisation screen. Runs once, at start-up, after the settings are loaded.
void OpenMainWindow();

}  // namespace ui
