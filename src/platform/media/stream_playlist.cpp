#include "platform/media/stream_playlist.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace platform::media {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Trim(const std::string& text) {
    const char* spaces = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(spaces);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

bool HasScheme(const std::string& address) {
    const std::size_t colon = address.find("://");
    return colon != std::string::npos && colon > 0 &&
           std::all_of(address.begin(), address.begin() + static_cast<long>(colon),
                       [](unsigned char c) { return std::isalnum(c) || c == '+' || c == '-'; });
}

std::string Resolve(const std::string& entry, const std::string& base) {
    if (entry.empty() || HasScheme(entry)) return entry;
    const std::size_t authority = base.find("://");
    if (entry[0] == '/' && authority != std::string::npos) {
        return base.substr(0, base.find('/', authority + 3)) + entry;
    }
    return base.substr(0, base.find_last_of('/') + 1) + entry;
}

std::string FirstPlsEntry(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line);
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = Lower(Trim(line.substr(0, equals)));
        if (key.starts_with("file")) return Trim(line.substr(equals + 1));
    }
    return {};
}

std::string FirstM3uEntry(const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = Trim(line);
        if (!line.empty() && line[0] != '#') return line;
    }
    return {};
}

// <ref href="..."/> in any case, with either quote.
std::string FirstAsxEntry(const std::string& text) {
    const std::string lower = Lower(text);
    for (std::size_t ref = lower.find("<ref"); ref != std::string::npos;
         ref = lower.find("<ref", ref + 1)) {
        const std::size_t href = lower.find("href", ref);
        const std::size_t close = lower.find('>', ref);
        if (href == std::string::npos || href > close) continue;
        const std::size_t quote = text.find_first_of("\"'", href);
        if (quote == std::string::npos || quote > close) continue;
        const std::size_t end = text.find(text[quote], quote + 1);
        if (end == std::string::npos) continue;
        return Trim(text.substr(quote + 1, end - quote - 1));
    }
    return {};
}

}  // namespace

PlaylistKind PlaylistKindOfAddress(const std::string& address) {
    std::string path = Lower(address.substr(0, address.find_first_of("?#")));
    if (path.ends_with(".pls")) return PlaylistKind::Pls;
    if (path.ends_with(".m3u")) return PlaylistKind::M3u;
    if (path.ends_with(".asx")) return PlaylistKind::Asx;
    return PlaylistKind::None;
}

PlaylistKind PlaylistKindOfContentType(const std::string& content_type) {
    const std::string type = Lower(Trim(content_type.substr(0, content_type.find(';'))));
    if (type == "audio/x-scpls" || type == "application/pls+xml") return PlaylistKind::Pls;
    if (type == "audio/x-mpegurl" || type == "audio/mpegurl") return PlaylistKind::M3u;
    if (type == "video/x-ms-asf" || type == "video/x-ms-asx" || type == "audio/x-ms-asx")
        return PlaylistKind::Asx;
    return PlaylistKind::None;
}

PlaylistKind PlaylistKindOfText(const std::string& text) {
    const std::string start = Lower(Trim(text.substr(0, 512)));
    if (start.starts_with("[playlist]")) return PlaylistKind::Pls;
    if (start.starts_with("<asx")) return PlaylistKind::Asx;
    if (start.starts_with("#extm3u") && start.find("#ext-x-") == std::string::npos)
        return PlaylistKind::M3u;
    if (start.starts_with("http://") || start.starts_with("https://")) return PlaylistKind::M3u;
    return PlaylistKind::None;
}

std::string FirstPlaylistEntry(PlaylistKind kind, const std::string& text,
                               const std::string& playlist_address) {
    std::string entry;
    switch (kind) {
        case PlaylistKind::Pls:
            entry = FirstPlsEntry(text);
            break;
        case PlaylistKind::M3u:
            entry = FirstM3uEntry(text);
            break;
        case PlaylistKind::Asx:
            entry = FirstAsxEntry(text);
            break;
        case PlaylistKind::None:
            break;
    }
    return Resolve(entry, playlist_address);
}

}  // namespace platform::media
