#include "app/playlist.h"

namespace app {

PlaylistModel Playlist;
int PlaylistIndex = 0;

void ResetPlaylist() {
    Playlist = PlaylistModel{};
    PlaylistIndex = 0;
}

PlaylistEntry& PlaylistModel::Insert() {
    current_ = current_ < 0 ? 0 : current_ + 1;
    return *entries_.insert(entries_.begin() + current_, PlaylistEntry{});
}

void PlaylistModel::Reset() { current_ = -1; }

bool PlaylistModel::Next() {
    if (current_ + 1 >= Count()) return false;
    ++current_;
    return true;
}

void PlaylistModel::SelectIndex(int i) { current_ = i >= 0 && i < Count() ? i : -1; }

void PlaylistModel::MarkCurrent(const std::string& text) {
    if (current_ < 0) return;
    entries_[current_].Name = text;
    entries_[current_].Path = text;
}

void PlaylistModel::DeleteCurrent() {
    if (current_ < 0) return;
    entries_.erase(entries_.begin() + current_);
    --current_;
}

const PlaylistEntry* PlaylistModel::Current() const {
    return current_ < 0 ? nullptr : &entries_[current_];
}

}  // namespace app
