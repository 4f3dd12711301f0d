#include "platform/media/audio_output.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <vector>

#include "platform/media/media_source.h"

namespace platform::media {
namespace {

constexpr int kBufferFrames = 1024;
// Tried in this order. Left to itself SDL may settle on ALSA without a sound server, which can
// spin a core; the driver is therefore always named.
constexpr const char* kDrivers[] = {"pulseaudio", "pipewire", "alsa"};

void FillFromSdl(void* user, Uint8* stream, int bytes) {
    const auto* render = static_cast<const RenderCallback*>(user);
    (*render)(reinterpret_cast<float*>(stream),
              bytes / static_cast<int>(sizeof(float) * kOutputChannels));
}

}  // namespace

AudioOutput::AudioOutput(OutputChoice choice, RenderCallback render)
    : choice_(choice), render_(std::move(render)) {}

AudioOutput::~AudioOutput() {
    stopping_.store(true);
    if (clock_.joinable()) clock_.join();
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

void AudioOutput::Start() {
    if (started_) return;
    started_ = true;
    if (choice_ == OutputChoice::kSystem && OpenDevice()) return;
    clock_ = std::thread([this] { RunSilentClock(); });
}

bool AudioOutput::OpenDevice() {
    // The program's own signal handling stays as it is: SIGTERM must still end it.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_AudioSpec wanted{};
    wanted.freq = kOutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kOutputChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = FillFromSdl;
    wanted.userdata = &render_;
    for (const char* driver : kDrivers) {
        SDL_SetHint(SDL_HINT_AUDIODRIVER, driver);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) continue;
        SDL_AudioSpec obtained{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
        if (device_ != 0) {
            SDL_PauseAudioDevice(device_, 0);
            return true;
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return false;
}

// Renders one buffer per buffer period, on absolute deadlines so the pace does not drift.
void AudioOutput::RunSilentClock() {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(kBufferFrames) / kOutputRate));
    std::vector<float> buffer(static_cast<std::size_t>(kBufferFrames) * kOutputChannels);
    auto deadline = Clock::now();
    while (!stopping_.load()) {
        render_(buffer.data(), kBufferFrames);
        deadline += period;
        std::this_thread::sleep_until(deadline);
    }
}

}  // namespace platform::media
