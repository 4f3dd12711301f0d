#include "audio/recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "app/playlist.h"
#include "app/station_directory.h"
#include "audio/playback_controller.h"
#include "common/ids.h"
#include "common/messages.h"
#include "common/text.h"
#include "platform/platform.h"
#include "ui/skin_images.h"
#include "visual/marquee.h"

namespace audio {
namespace {

constexpr const char* kAlias = "recsound";
constexpr const char* kRecordingText = "++++++++RECORD !!++++++++";
constexpr const char* kRenameFailedText = "pas pu renommer le fichier Record.wav";
constexpr int kChannels = 2;
constexpr int kBitsPerSample = 16;
constexpr int kSamplesPerSecond = 44100;
constexpr int kBlockAlign = kChannels * kBitsPerSample / 8;

std::string FormatCommand() {
    return std::string("set ") + kAlias + " alignment " + std::to_string(kBlockAlign) +
           " bitspersample " + std::to_string(kBitsPerSample) + " samplespersec " +
           std::to_string(kSamplesPerSecond) + " channels " + std::to_string(kChannels) +
           " bytespersec " + std::to_string(kSamplesPerSecond * kBlockAlign);
}

// What plays when the recording stops, not when it started. Without a current entry or a
// selected station the name is empty and the file name starts with "(".
std::string SourceName() {
    if (Playback.FileMode != 0) {
        const app::PlaylistEntry* entry = app::Playlist.Current();
        return common::TrimSpaces(entry ? FilePart(entry->Path) : std::string());
    }
    const int item = platform::TheGui().ControlState(common::StationCombo);
    const bool listed = item >= 0 && item < static_cast<int>(app::StationTable.size());
    return common::TrimSpaces(listed ? app::StationTable[item].Name : std::string());
}

// Never replaces the target: an earlier recording of the same second stays as it was.
bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // Filesystems without the flag: a hard link fails just the same on an existing target.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    unlink(from.c_str());
    return true;
}

}  // namespace

RecorderState Recorder;

void ResetRecorder() { Recorder = RecorderState{}; }

int SendMciCommand(const std::string& command) {
    return platform::TheMci().Send(command, Recorder.MciReplyBuffer);
}

std::string MakeRecordingName(const std::string& source, const std::tm& when) {
    return source + "(" + std::to_string(when.tm_mday) + "-" + std::to_string(when.tm_mon + 1) +
           "-" + std::to_string(when.tm_year + 1900) + ")" + std::to_string(when.tm_hour) + "-" +
           std::to_string(when.tm_min) + "-" + std::to_string(when.tm_sec) + ".wav";
}

// The pressed look stays until Stop puts the rest image back.
void OnRecordClicked() {
    platform::TheGui().SetButtonImage(common::RecordButton,
                                      ui::ImageOf(common::RecordPressedImage));
    platform::TheAudioEngine().SetOutput(0);
    Recorder.IsRecording = 1;
    StartRecording(kRecordingFile);
    visual::Marquee.MarqueeText = kRecordingText;
}

void StartRecording(const std::string&) {
    SendMciCommand(std::string("open new type waveaudio alias ") + kAlias);
    SendMciCommand(std::string("set ") + kAlias + " time format ms");
    SendMciCommand(FormatCommand());
    SendMciCommand(std::string("record ") + kAlias);
}

void StopRecording(const std::string& file_name) {
    SendMciCommand(std::string("save ") + kAlias + " " + file_name);
    SendMciCommand(std::string("close ") + kAlias);
    Recorder.RecordingName = MakeRecordingName(SourceName(), platform::TheSystem().LocalTime());
    if (!MoveWithoutReplacing(file_name, Recorder.RecordingName))
        common::ShowError(common::kErrorTitleLower, kRenameFailedText);
}

}  // namespace audio
