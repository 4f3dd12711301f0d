#pragma once

namespace audio {

constexpr int kEngineChannels = 32;

// Creates and initialises the audio engine's system object, once, at start-up.
void BindAudioEngine();

}  // namespace audio
