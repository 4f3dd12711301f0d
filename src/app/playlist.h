#pragma once

#include <string>
#include <vector>

namespace app {

struct PlaylistEntry {
    std::string Name;  // the file part of Path, extension included
    std::string Path;  // as the file requester returned it
};

// An ordered list of local files with a cursor on one entry or none. Where each operation leaves
// the cursor matters: the recorder names a file-mode recording after the current entry.
class PlaylistModel {
 public:
    // A new, empty entry right after the current one (at the front without one); it becomes
    // current.
    PlaylistEntry& Insert();
    // No entry is current.
    void Reset();
    // To the first entry without a current one, else to the following one. False at the end,
    // where the last entry stays current.
    bool Next();
    // Entry i becomes current when it exists; otherwise none is.
    void SelectIndex(int i);
    // Writes the text into both fields of the current entry, if any.
    void MarkCurrent(const std::string& text);
    // Removes the current entry; the one before it becomes current, none when it was the first,
    // so that Next reaches the entry that followed the deleted one.
    void DeleteCurrent();
    int Count() const { return static_cast<int>(entries_.size()); }
    // The current entry, or null.
    const PlaylistEntry* Current() const;
    int CurrentIndex() const { return current_; }
    const std::vector<PlaylistEntry>& Entries() const { return entries_; }

 private:
    std::vector<PlaylistEntry> entries_;
    int current_ = -1;
};

extern PlaylistModel Playlist;
// The 0-based index of the playlist item last chosen, -1 when a choice found none selected.
extern int PlaylistIndex;

void ResetPlaylist();

}  // namespace app
