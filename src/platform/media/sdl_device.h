#pragma once

#include <SDL2/SDL.h>

namespace platform::media {

// Opens an SDL audio device (output or capture) in the format wanted, trying the drivers in a
// fixed order. Left to itself SDL may settle on ALSA without a sound server, which can spin a
// core; the driver is therefore always named. 0 when none opens. GUI thread.
SDL_AudioDeviceID OpenSdlDevice(const SDL_AudioSpec& wanted, bool capture);
// Closes a device opened above and gives back its share of SDL's audio subsystem.
void CloseSdlDevice(SDL_AudioDeviceID device);

}  // namespace platform::media
