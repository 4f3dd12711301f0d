#include "ui/playlist_window.h"

namespace ui {

void ResetPlaylistWindow() {}

void TogglePlaylistWindow() {}
void SelectPlaylistEntry() {}
void AddPlaylistFiles() {}
void RemovePlaylistEntries() {}

}  // namespace ui
