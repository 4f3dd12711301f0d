#pragma once

namespace audio {

// Creates and initialises the audio engine's system object.
void BindAudioEngine();

}  // namespace audio
