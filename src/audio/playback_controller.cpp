#include "audio/playback_controller.h"

#include <algorithm>
#include <cctype>

#include "app/playlist.h"
#include "app/station_directory.h"
#include "audio/recorder.h"
#include "common/ids.h"
#include "common/text.h"
#include "platform/platform.h"
#include "ui/skin_images.h"
#include "visual/bars.h"
#include "visual/marquee.h"

namespace audio {
namespace {

using namespace common;

constexpr int kHandlerPauseMs = 500;
constexpr const char* kPlayingMark = "++++++++";

platform::Gui& Gui() { return platform::TheGui(); }
platform::AudioEngine& Engine() { return platform::TheAudioEngine(); }

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The station of the selected item, or null when no item of the directory is selected.
const app::StationEntry* SelectedStation() {
    const int index = Gui().ControlState(StationCombo);
    if (index < 0 || index >= static_cast<int>(app::StationTable.size())) return nullptr;
    return &app::StationTable[index];
}

void OpenAndPlay(const std::string& source, int mode) {
    Playback.CurrentSound = Engine().CreateStream(source, mode);
    Playback.TrackLengthMs = Engine().LengthMs(Playback.CurrentSound);
}

void StartChannel() { Playback.CurrentChannel = Engine().PlaySound(Playback.CurrentSound, false); }

void PlayStation() {
    const app::StationEntry* station = SelectedStation();
    if (!station) return;
    const std::string address = Lower(TrimSpaces(station->Url));
    Gui().SetWindowTitle(MainWindow, TrimSpaces(station->Name));
    OpenAndPlay(address, platform::kOpenStationAddress);
    StartChannel();
    ApplyVolume();
    visual::Marquee.MarqueeText = PlayingText(station->Name);
    Gui().HideControl(PositionBar, true);
    // The playlist toggle keeps its value: the next click on its button finds it unchanged.
    if (Gui().IsWindowOpen(PlaylistWindow)) Gui().CloseWindow(PlaylistWindow);
}

// An entry with an empty path plays the file that was opened last.
void PlayPlaylistEntry() {
    if (app::Playlist.Count() < 1) return;
    app::Playlist.SelectIndex(app::PlaylistIndex);
    const app::PlaylistEntry* entry = app::Playlist.Current();
    if (!entry) return;
    if (!entry->Path.empty()) Playback.CurrentFile = entry->Path;
    if (Playback.CurrentFile.empty()) return;
    OpenAndPlay(Playback.CurrentFile, platform::kOpenLocalFile);
    Gui().SetControlRange(PositionBar, 0, Playback.TrackLengthMs);
    Gui().SetWindowTitle(MainWindow, FilePart(Playback.CurrentFile));
    Gui().HideControl(PositionBar, false);
    StartChannel();
    visual::Marquee.MarqueeText = PlayingText(FilePart(Playback.CurrentFile));
    ApplyVolume();
}

void FollowSpectrum() {
    Engine().Spectrum(Playback.CurrentChannel, visual::Bars.SpectrumBuffer.data());
    visual::UpdateSpectrumBars();
}

// The next entry starts through a queued click, on a later pass, like a click of the user.
void EndOfFile() {
    Engine().Stop(Playback.CurrentChannel);
    Playback.PositionMs = 0;
    Gui().SetControlState(PositionBar, 0);
    if (app::PlaylistIndex < app::Playlist.Count() - 1) {
        ++app::PlaylistIndex;
        if (Gui().IsWindowOpen(PlaylistWindow))
            Gui().SetControlState(PlaylistView, app::PlaylistIndex);
        PostPlayClick();
    } else {
        Playback.IsPlaying = 0;
    }
}

void PollFile() {
    Playback.PositionMs = Engine().PositionMs(Playback.CurrentChannel);
    if (Playback.PositionMs > 0 && Playback.IsPlaying == 1) {
        Gui().SetControlState(PositionBar, Playback.PositionMs);
        FollowSpectrum();
    }
    if (Playback.PositionMs == Playback.TrackLengthMs && Playback.PositionMs > 0) EndOfFile();
}

}  // namespace

PlaybackState Playback;

void ResetPlayback() { Playback = PlaybackState{}; }

std::string PlayingText(const std::string& name) {
    return kPlayingMark + TrimSpaces(name) + kPlayingMark;
}

std::string FilePart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

void OnPlayClicked() {
    Gui().SetButtonImage(PlayButton, ui::ImageOf(PlayPressedImage));
    visual::Marquee.MarqueeText.clear();
    Playback.IsPlaying = 1;
    if (Playback.FileMode == 0) {
        PlayStation();
    } else {
        PlayPlaylistEntry();
    }
    Gui().SetButtonImage(PlayButton, ui::ImageOf(PlayImage));
}

// Resuming shows the selected station's name, in file mode too: that is how it has always been.
void OnPauseClicked() {
    Gui().SetButtonImage(PauseButton, ui::ImageOf(PausePressedImage));
    if (Playback.IsPaused == 0) {
        Playback.IsPaused = 1;
        Playback.IsPlaying = 0;
        visual::Marquee.MarqueeText.clear();
    } else {
        Playback.IsPaused = 0;
        Playback.IsPlaying = 1;
        const app::StationEntry* station = SelectedStation();
        visual::Marquee.MarqueeText = PlayingText(station ? station->Name : std::string());
    }
    Engine().SetPaused(Playback.CurrentChannel, Playback.IsPaused != 0);
    platform::TheSystem().Sleep(kHandlerPauseMs);
    Gui().SetButtonImage(PauseButton, ui::ImageOf(PauseImage));
}

void OnStopClicked() {
    Gui().SetButtonImage(StopButton, ui::ImageOf(StopPressedImage));
    Gui().SetButtonImage(RecordButton, ui::ImageOf(RecordImage));
    Engine().Stop(Playback.CurrentChannel);
    Playback.PositionMs = 0;
    Playback.IsPlaying = 0;
    visual::Marquee.MarqueeText.clear();
    Gui().HideControl(PositionBar, true);
    if (Recorder.IsRecording == 1) {
        StopRecording(kRecordingFile);
        Recorder.IsRecording = 0;
    }
    platform::TheSystem().Sleep(kHandlerPauseMs);
    Gui().SetButtonImage(StopButton, ui::ImageOf(StopImage));
}

// A separator cannot be played: the item below it is selected instead, once, silently.
void OnStationChanged() {
    const int selected = Gui().ControlState(StationCombo);
    if (Gui().ItemText(StationCombo, selected).starts_with('-'))
        Gui().SetControlState(StationCombo, selected + 1);
    Playback.FileMode = 0;
}

void OnVolumeChanged() { ApplyVolume(); }

// The divisor is 100 on purpose: the slider's upper range amplifies up to 2.55.
void ApplyVolume() {
    Playback.Volume = static_cast<float>(Gui().ControlState(VolumeSlider));
    Engine().SetVolume(Playback.CurrentChannel, static_cast<float>(Playback.Volume / 100.0));
}

void PostPlayClick() { Gui().PostEvent({ControlEvent, MainWindow, PlayButton}); }

void PollPlayback() {
    if (Playback.FileMode != 0) {
        PollFile();
    } else if (Playback.IsPlaying == 1) {
        FollowSpectrum();
    }
}

}  // namespace audio
