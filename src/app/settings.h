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

inline constexpr const char* kSettingsFileName = "config.txt";

void ResetSettings();
// Reads "config.txt" in the working directory, creating it empty when it is missing. A file that
// cannot be opened for reading and writing leaves every value at its start value.
void LoadSettings();
// Writes the station choice, the window position, the MP3 folder, the playlist and the volume
// over the start of "config.txt", which is never shortened. Called by the orderly exit only.
void SaveSettings();

}  // namespace app
