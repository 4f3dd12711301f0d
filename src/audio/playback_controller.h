#pragma once

#include <string>

#include "platform/audio_engine.h"

namespace audio {

struct PlaybackState {
    int FileMode = 0;
    int IsPlaying = 0;
    int IsPaused = 0;
    float Volume = 0.0f;
    platform::SoundHandle CurrentSound = 0;
    platform::ChannelHandle CurrentChannel = 0;
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

// Volume takes the slider's value; the channel gets Volume / 100, so values above 100 amplify.
void ApplyVolume();
// Queues a click of the play button; a later pass of the event loop handles it like a real one.
void PostPlayClick();
// Runs on every pass of the event loop: position, spectrum, end of a local file.
void PollPlayback();

// "++++++++" + the trimmed name + "++++++++".
std::string PlayingText(const std::string& name);
// The text after the last "\" or "/", extension included.
std::string FilePart(const std::string& path);

}  // namespace audio
