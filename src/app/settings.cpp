#include "app/settings.h"

namespace app {

SettingsState Settings;

void ResetSettings() { Settings = SettingsState{}; }

void LoadSettings() {}

void SaveSettings() {}

}  // namespace app
