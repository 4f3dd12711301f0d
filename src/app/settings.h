#pragma once

#include <string>

namespace app {

// What the settings file restores at start-up.
struct SettingsState {
    int SavedStationIndex = 0;
    int SavedWindowX = 0;
    int SavedWindowY = 0;
    std::string LastMp3Folder;
};
extern SettingsState Settings;

void ResetSettings();
// Reads "config.txt" into the program's state.
void LoadSettings();
// Writes the program's state to "config.txt"; called by the orderly exit only.
void SaveSettings();

}  // namespace app
