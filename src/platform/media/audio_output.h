#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace platform::media {

// Fills `frames` interleaved stereo float frames. Called on the output's own thread.
using RenderCallback = std::function<void(float* out, int frames)>;

enum class OutputChoice {
    kSystem,  // the sound server (PulseAudio, PipeWire) or ALSA, silent when none opens
    kSilent,  // no device: audio is consumed in real time and discarded
};

// Where the mixed audio goes: an SDL device at 44.1 kHz stereo float in 1024-frame buffers, or a
// silent clock that consumes audio at the same pace, so positions, spectrum and the end of a
// file behave exactly as with sound.
class AudioOutput {
 public:
    AudioOutput(OutputChoice choice, RenderCallback render);
    ~AudioOutput();
    AudioOutput(const AudioOutput&) = delete;
    AudioOutput& operator=(const AudioOutput&) = delete;

    // Starts pulling audio; harmless when already started. GUI thread.
    void Start();
    bool Silent() const { return device_ == 0; }

 private:
    bool OpenDevice();
    void RunSilentClock();

    OutputChoice choice_;
    RenderCallback render_;
    bool started_ = false;
    unsigned device_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread clock_;
};

}  // namespace platform::media
