#include "audio/playback_controller.h"

namespace audio {

PlaybackState Playback;

void ResetPlayback() { Playback = PlaybackState{}; }

void OnPlayClicked() {}
void OnPauseClicked() {}
void OnStopClicked() {}
void OnStationChanged() {}
void OnVolumeChanged() {}

void PollPlayback() {}

}  // namespace audio
