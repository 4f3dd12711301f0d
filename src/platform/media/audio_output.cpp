#include "platform/media/audio_output.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <vector>

#include "platform/media/media_source.h"
#include "platform/media/sdl_device.h"

namespace platform::media {
namespace {

// 46 ms a callback: half the sound server's wake-ups of 1024 frames, still well below what a
// listener notices on Play or Pause.
constexpr int kBufferFrames = 2048;

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
    CloseSdlDevice(device_);
}

void AudioOutput::Start() {
    if (started_) return;
    started_ = true;
    if (choice_ == OutputChoice::kSystem && OpenDevice()) return;
    clock_ = std::thread([this] { RunSilentClock(); });
}

bool AudioOutput::OpenDevice() {
    SDL_AudioSpec wanted{};
    wanted.freq = kOutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kOutputChannels;
    wanted.samples = kBufferFrames;
    wanted.callback = FillFromSdl;
    wanted.userdata = &render_;
    device_ = OpenSdlDevice(wanted, false);
    if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
    return device_ != 0;
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
