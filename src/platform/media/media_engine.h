#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio_engine.h"
#include "platform/media/audio_output.h"
#include "platform/media/frequency_bands.h"

namespace platform::media {

class MediaSource;

// The program's audio engine over FFmpeg and SDL. Public calls come from the GUI thread; the
// output thread only renders. Sounds decode on their own worker threads.
class MediaEngine final : public AudioEngine {
 public:
    // `while_opening`, when given, runs on the calling thread again and again while a stream
    // opens (which may take seconds), so the windows can stay painted meanwhile.
    explicit MediaEngine(OutputChoice output = OutputChoice::kSystem,
                         std::function<void()> while_opening = {});
    ~MediaEngine() override;

    void CreateSystem() override;
    void Init(int channels) override;
    SoundHandle CreateStream(const std::string& source, int mode) override;
    int LengthMs(SoundHandle sound) override;
    ChannelHandle PlaySound(SoundHandle sound, bool paused) override;
    void SetVolume(ChannelHandle channel, float volume) override;
    void SetPaused(ChannelHandle channel, bool paused) override;
    void Stop(ChannelHandle channel) override;
    int PositionMs(ChannelHandle channel) override;
    void Spectrum(ChannelHandle channel, float* values) override;
    void SetOutput(int output) override;
    void ReleaseSound(SoundHandle sound) override;
    std::string StreamTitle(SoundHandle sound) override;

    // Whether audio goes to a real device; for tests and benchmarks.
    bool SilentOutput() const { return output_.Silent(); }

 private:
    struct SoundSlot {
        std::uint32_t generation = 0;
        std::shared_ptr<MediaSource> source;
    };

    // Channel 0: what the output thread plays. `source` is guarded by `mutex`; the rest is
    // atomic so the GUI thread reads it without waiting for the output.
    struct Channel {
        std::mutex mutex;
        std::shared_ptr<MediaSource> source;
        SoundHandle sound = 0;
        std::atomic<ChannelHandle> handle{0};
        std::atomic<bool> paused{false};
        std::atomic<bool> finished{false};
        std::atomic<float> volume{1.0f};
        std::atomic<std::uint64_t> consumed_frames{0};
    };

    MediaSource* Find(SoundHandle sound) const;
    bool IsCurrent(ChannelHandle channel) const;
    std::shared_ptr<MediaSource> DetachChannel();
    void Render(float* out, int frames);
    int ReadFrames(MediaSource& source, float* out, int frames);
    void RememberLeftChannel(const float* frames, int count);

    std::shared_ptr<MediaSource> OpenSource(const std::string& source, bool station);

    std::function<void()> while_opening_;
    std::vector<SoundSlot> sounds_;
    Channel channel_;
    std::uint32_t next_play_ = 0;

    std::mutex history_mutex_;
    std::array<float, SpectrumAnalyzer::kPoints> history_{};
    std::size_t history_next_ = 0;
    std::array<float, SpectrumAnalyzer::kPoints> ordered_{};
    SpectrumAnalyzer analyzer_;

    AudioOutput output_;  // last: stops rendering before the rest goes
};

}  // namespace platform::media
