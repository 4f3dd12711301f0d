#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/media/frame_ring.h"

namespace platform::media {

// Where recorded audio comes from: calls `deliver` with interleaved stereo float frames at
// 44.1 kHz, on a thread of its own, between Start and Stop.
class CaptureSource {
 public:
    using Deliver = std::function<void(const float* frames, int count)>;
    virtual ~CaptureSource() = default;
    virtual bool Start(Deliver deliver) = 0;
    virtual void Stop() = 0;
};

// The system's default input through SDL.
std::unique_ptr<CaptureSource> MakeSdlCapture();

// One recording: captured frames go through a ring to a writer thread that streams them into a
// file with libsndfile, 16-bit stereo at 44.1 kHz, as RF64 that stays a plain WAV below 4 GiB,
// so that a recording of any length is a valid file. Capture and file writing never wait for
// each other. Made and finished on the GUI thread.
class WavRecording {
 public:
    // Null when the file cannot be created or the capture cannot start.
    static std::unique_ptr<WavRecording> Start(std::unique_ptr<CaptureSource> capture,
                                               const std::string& path);
    // Stops without keeping anything: the file is removed.
    ~WavRecording();
    WavRecording(const WavRecording&) = delete;
    WavRecording& operator=(const WavRecording&) = delete;

    // Stops the capture, writes what is left and closes the file, which is then complete.
    bool Finish();

 private:
    WavRecording(std::unique_ptr<CaptureSource> capture, void* file, std::string path);
    void WriteUntilStopped();
    void WriteWaiting();

    std::unique_ptr<CaptureSource> capture_;
    void* file_;  // SNDFILE*
    std::string path_;
    FrameRing frames_;
    std::atomic<bool> capturing_{true};
    std::atomic<std::size_t> dropped_{0};
    std::thread writer_;
    bool finished_ = false;
};

}  // namespace platform::media
