#include "app/settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "app/playlist.h"
#include "audio/playback_controller.h"
#include "common/ids.h"
#include "common/rounding.h"
#include "platform/platform.h"

namespace app {
namespace {

// Both operations open the file for reading and writing, creating it when missing: a file that
// cannot be written is not read either.
int OpenSettingsFile() { return open(kSettingsFileName, O_RDWR | O_CREAT | O_CLOEXEC, 0644); }

// Reads numbers and text lines; whatever lies beyond the end of the file reads as 0 or empty.
class SettingsReader {
 public:
    explicit SettingsReader(std::FILE* file) : file_(file) {}

    std::int32_t ReadNumber() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const int byte = std::getc(file_);
            if (byte != EOF) value |= static_cast<std::uint32_t>(byte) << shift;
        }
        return static_cast<std::int32_t>(value);
    }

    // Up to CR, LF, NUL or the end; CR LF is one terminator.
    std::string ReadLine() {
        std::string text;
        for (int byte = std::getc(file_); byte != EOF; byte = std::getc(file_)) {
            if (byte == '\r') {
                SkipFollowingLineFeed();
                break;
            }
            if (byte == '\n' || byte == '\0') break;
            text.push_back(static_cast<char>(byte));
        }
        return text;
    }

    bool AtEnd() {
        const int byte = std::getc(file_);
        if (byte == EOF) return true;
        std::ungetc(byte, file_);
        return false;
    }

 private:
    void SkipFollowingLineFeed() {
        const int byte = std::getc(file_);
        if (byte != '\n' && byte != EOF) std::ungetc(byte, file_);
    }

    std::FILE* file_;
};

void AppendNumber(std::string& bytes, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(bits >> shift));
}

void AppendLine(std::string& bytes, const std::string& text) {
    bytes += text;
    bytes += "\r\n";
}

// Entries promised by the count but missing from the file are not made up: reading stops at the
// end of the file, so a huge count costs nothing.
void ReadPlaylistEntries(SettingsReader& reader, std::int32_t count) {
    for (std::int32_t i = 0; i < count && !reader.AtEnd(); ++i) {
        PlaylistEntry& entry = Playlist.Insert();
        entry.Name = reader.ReadLine();
        entry.Path = reader.ReadLine();
    }
}

void ReadSettings(SettingsReader& reader) {
    Settings.SavedStationIndex = reader.ReadNumber();
    Settings.SavedWindowX = reader.ReadNumber();
    Settings.SavedWindowY = reader.ReadNumber();
    Settings.LastMp3Folder = reader.ReadLine();
    ReadPlaylistEntries(reader, reader.ReadNumber());
    audio::Playback.Volume = static_cast<float>(reader.ReadNumber());
}

// Entries without a name are left out, and the count says how many follow.
std::string EncodeSettings() {
    std::string bytes;
    const platform::Point corner = platform::TheGui().WindowPosition(common::MainWindow);
    AppendNumber(bytes, platform::TheGui().ControlState(common::StationCombo));
    AppendNumber(bytes, corner.x);
    AppendNumber(bytes, corner.y);
    AppendLine(bytes, Settings.LastMp3Folder);
    std::string entries;
    std::int32_t count = 0;
    for (const PlaylistEntry& entry : Playlist.Entries()) {
        if (entry.Name.empty()) continue;
        AppendLine(entries, entry.Name);
        AppendLine(entries, entry.Path);
        ++count;
    }
    AppendNumber(bytes, count);
    bytes += entries;
    AppendNumber(bytes, common::RoundHalfEven(audio::Playback.Volume));
    return bytes;
}

// One write of the whole content at the start of the file; what lies beyond it stays.
void WriteAtStart(int fd, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            pwrite(fd, bytes.data() + written, bytes.size() - written, static_cast<off_t>(written));
        if (n <= 0) return;
        written += static_cast<std::size_t>(n);
    }
}

}  // namespace

SettingsState Settings;

void ResetSettings() { Settings = SettingsState{}; }

void LoadSettings() {
    const int fd = OpenSettingsFile();
    if (fd < 0) return;
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        close(fd);
        return;
    }
    SettingsReader reader(file);
    ReadSettings(reader);
    std::fclose(file);
}

void SaveSettings() {
    const int fd = OpenSettingsFile();
    if (fd < 0) return;
    WriteAtStart(fd, EncodeSettings());
    close(fd);
}

}  // namespace app
