#pragma once

namespace ui {

void ResetPlaylistWindow();

// Control handlers: the playlist button of the main window, the controls of the playlist window.
void TogglePlaylistWindow();
void SelectPlaylistEntry();
void AddPlaylistFiles();
void RemovePlaylistEntries();

}  // namespace ui
