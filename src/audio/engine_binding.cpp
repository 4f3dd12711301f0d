#include "audio/engine_binding.h"

namespace audio {

void BindAudioEngine() {}

}  // namespace audio
