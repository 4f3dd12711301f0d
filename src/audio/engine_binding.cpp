#include "audio/engine_binding.h"

#include "platform/platform.h"

namespace audio {

void BindAudioEngine() {
    platform::AudioEngine& engine = platform::TheAudioEngine();
    engine.CreateSystem();
    engine.Init(kEngineChannels);
}

}  // namespace audio
