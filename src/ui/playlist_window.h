#pragma once

#include <string>

namespace ui {

struct PlaylistWindowState {
    int PlaylistShown = 0;
    int PlaylistShaped = 0;
};
extern PlaylistWindowState PlaylistWindowFlags;

// Written into both fields of an entry to mark it for removal; an entry really called so goes
// at the next rebuild too.
inline constexpr const char* kDeletionMarker = "Tarvi";

void ResetPlaylistWindow();

// Playlist button: opens the window below the main window, or closes it. The very first opening
// shapes a first instance from the skin (which stretches the shared skin picture) and closes it
// again; the window that stays is rectangular and has no task-bar button.
void TogglePlaylistWindow();
// A click in the list: PlaylistIndex becomes the lowest selected item, the entry before it
// becomes current, and the player goes into file mode.
void SelectPlaylistEntry();
// Add button: files chosen in a requester go after the current entry, in the order chosen.
void AddPlaylistFiles();
// Remove button: the selected entries go.
void RemovePlaylistEntries();
// Lists every entry; the last one ends up current.
void FillPlaylistView();
// Lists the entries again, dropping those marked for removal.
void RebuildPlaylistView();

// The text up to and including the last "\" or "/", empty when there is none.
std::string FolderPart(const std::string& path);

}  // namespace ui
