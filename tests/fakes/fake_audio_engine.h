#pragma once

#include <map>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "platform/audio_engine.h"

namespace fakes {

// Records every call into the shared log and answers from what the test set up. Sources listed
// in `lengths` open (with that length); any other source fails to open.
class FakeAudioEngine final : public platform::AudioEngine {
 public:
    explicit FakeAudioEngine(CallLog& log) : log_(log) {}

    std::map<std::string, int> lengths;
    int position_ms = 0;
    std::vector<float> spectrum = std::vector<float>(platform::kSpectrumSize, 0.0f);
    // The last values set, for assertions.
    float volume = -1.0f;
    bool paused = false;

    void CreateSystem() override { log_.Add("audio.CreateSystem"); }
    void Init(int channels) override { log_.Add("audio.Init " + std::to_string(channels)); }
    platform::SoundHandle CreateStream(const std::string& source, int mode) override;
    int LengthMs(platform::SoundHandle sound) override;
    platform::ChannelHandle PlaySound(platform::SoundHandle sound, bool paused) override;
    void SetVolume(platform::ChannelHandle channel, float volume) override;
    void SetPaused(platform::ChannelHandle channel, bool paused) override;
    void Stop(platform::ChannelHandle channel) override;
    int PositionMs(platform::ChannelHandle channel) override;
    void Spectrum(platform::ChannelHandle channel, float* values) override;
    void SetOutput(int output) override { log_.Add("audio.SetOutput " + std::to_string(output)); }
    void ReleaseSound(platform::SoundHandle sound) override;
    std::string StreamTitle(platform::SoundHandle) override { return {}; }

 private:
    CallLog& log_;
    std::vector<std::string> opened_;  // sound handle n is opened_[n - 1]
};

}  // namespace fakes
