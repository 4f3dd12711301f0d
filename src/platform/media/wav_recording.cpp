#include "platform/media/wav_recording.h"

#include <SDL2/SDL.h>
#include <sndfile.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/media/media_source.h"
#include "platform/media/sdl_device.h"

namespace platform::media {
namespace {

constexpr std::size_t kRingFrames = 4 * kOutputRate;  // four seconds of slack for the disk
constexpr int kWriteChunk = 4096;
constexpr auto kIdleWait = std::chrono::milliseconds(20);
constexpr int kCaptureBufferFrames = 1024;

SNDFILE* File(void* file) { return static_cast<SNDFILE*>(file); }

class SdlCapture final : public CaptureSource {
 public:
    ~SdlCapture() override { Stop(); }

    bool Start(Deliver deliver) override {
        deliver_ = std::move(deliver);
        SDL_AudioSpec wanted{};
        wanted.freq = kOutputRate;
        wanted.format = AUDIO_F32SYS;
        wanted.channels = kOutputChannels;
        wanted.samples = kCaptureBufferFrames;
        wanted.callback = [](void* self, Uint8* stream, int bytes) {
            static_cast<SdlCapture*>(self)->deliver_(
                reinterpret_cast<const float*>(stream),
                bytes / static_cast<int>(sizeof(float) * kOutputChannels));
        };
        wanted.userdata = this;
        device_ = OpenSdlDevice(wanted, true);
        if (device_ != 0) SDL_PauseAudioDevice(device_, 0);
        return device_ != 0;
    }

    void Stop() override {
        CloseSdlDevice(device_);
        device_ = 0;
    }

 private:
    Deliver deliver_;
    SDL_AudioDeviceID device_ = 0;
};

}  // namespace

std::unique_ptr<CaptureSource> MakeSdlCapture() { return std::make_unique<SdlCapture>(); }

std::unique_ptr<WavRecording> WavRecording::Start(std::unique_ptr<CaptureSource> capture,
                                                  const std::string& path) {
    SF_INFO info{};
    info.samplerate = kOutputRate;
    info.channels = kOutputChannels;
    info.format = SF_FORMAT_RF64 | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return nullptr;
    sf_command(file, SFC_RF64_AUTO_DOWNGRADE, nullptr, SF_TRUE);
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    std::unique_ptr<WavRecording> recording(new WavRecording(std::move(capture), file, path));
    if (!recording->capture_->Start([raw = recording.get()](const float* frames, int count) {
            const auto written = raw->frames_.Write(frames, static_cast<std::size_t>(count));
            raw->dropped_ += static_cast<std::size_t>(count) - written;
        }))
        return nullptr;  // the destructor removes the file
    return recording;
}

WavRecording::WavRecording(std::unique_ptr<CaptureSource> capture, void* file, std::string path)
    : capture_(std::move(capture)),
      file_(file),
      path_(std::move(path)),
      frames_(kRingFrames),
      writer_([this] { WriteUntilStopped(); }) {}

WavRecording::~WavRecording() {
    if (finished_) return;
    capture_->Stop();
    capturing_.store(false);
    writer_.join();
    sf_close(File(file_));
    std::remove(path_.c_str());
}

bool WavRecording::Finish() {
    capture_->Stop();
    capturing_.store(false);
    writer_.join();
    WriteWaiting();
    finished_ = true;
    return sf_close(File(file_)) == 0;
}

void WavRecording::WriteUntilStopped() {
    while (capturing_.load()) {
        WriteWaiting();
        std::this_thread::sleep_for(kIdleWait);
    }
}

void WavRecording::WriteWaiting() {
    std::vector<float> chunk(static_cast<std::size_t>(kWriteChunk) * kOutputChannels);
    for (std::size_t got; (got = frames_.Read(chunk.data(), kWriteChunk)) > 0;)
        sf_writef_float(File(file_), chunk.data(), static_cast<sf_count_t>(got));
}

}  // namespace platform::media
