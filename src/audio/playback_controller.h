#pragma once

#include <string>

namespace audio {

struct PlaybackState {
    int FileMode = 0;
    int IsPlaying = 0;
    int IsPaused = 0;
    float Volume = 0.0f;
    int TrackLengthMs = 0;
    int PositionMs = 0;
    std::string CurrentFile;
};
extern PlaybackState Playback;

void ResetPlayback();

// Control handlers of the main window; each runs on any event of its control.
void OnPlayClicked();
void OnPauseClicked();
void OnStopClicked();
void OnStationChanged();
void OnVolumeChanged();

// Runs on every pass of the event loop: position, spectrum, end of a local file.
void PollPlayback();

}  // namespace audio
