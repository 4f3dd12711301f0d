#pragma once

#include <string>

namespace platform::media {

enum class PlaylistKind { None, Pls, M3u, Asx };

// What an address names by its path's extension (.pls, .m3u, .asx; query and case ignored).
// HLS (.m3u8) is a stream, not a playlist.
PlaylistKind PlaylistKindOfAddress(const std::string& address);
// What a server's content type announces.
PlaylistKind PlaylistKindOfContentType(const std::string& content_type);
// The first stream address a playlist holds, empty when none. Relative entries are resolved
// against the playlist's own address.
std::string FirstPlaylistEntry(PlaylistKind kind, const std::string& text,
                               const std::string& playlist_address);
// Guesses the kind from the text itself, for servers that announce nothing useful.
PlaylistKind PlaylistKindOfText(const std::string& text);

}  // namespace platform::media
