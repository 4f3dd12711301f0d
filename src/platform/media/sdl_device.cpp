#include "platform/media/sdl_device.h"

namespace platform::media {
namespace {

constexpr const char* kDrivers[] = {"pulseaudio", "pipewire", "alsa"};

}  // namespace

SDL_AudioDeviceID OpenSdlDevice(const SDL_AudioSpec& wanted, bool capture) {
    // The program's own signal handling stays as it is: SIGTERM must still end it.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    for (const char* driver : kDrivers) {
        SDL_SetHint(SDL_HINT_AUDIODRIVER, driver);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) continue;
        SDL_AudioSpec obtained{};
        const SDL_AudioDeviceID device =
            SDL_OpenAudioDevice(nullptr, capture ? 1 : 0, &wanted, &obtained, 0);
        if (device != 0) return device;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return 0;
}

void CloseSdlDevice(SDL_AudioDeviceID device) {
    if (device == 0) return;
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace platform::media
