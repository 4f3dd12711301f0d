#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/media/frame_ring.h"

namespace platform::media {

class Decoder;

// The format every source is decoded to: what the output consumes.
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

// One opened file or station, decoded ahead into a ring of output frames by a worker thread.
// Opening blocks the caller; everything else is safe from the threads noted.
class MediaSource {
 public:
    // Opens a local file, or a station address (http, https, a .pls/.m3u/.asx playlist, HLS).
    // Null when it cannot be opened; a dead server fails within about 5 s.
    static std::unique_ptr<MediaSource> Open(const std::string& source, bool station);
    // Stops the worker (interrupting any network wait) and closes the file or connection.
    ~MediaSource();
    MediaSource(const MediaSource&) = delete;
    MediaSource& operator=(const MediaSource&) = delete;

    // The exact decoded length of a local file in ms, 0 for a station. Any thread.
    int LengthMs() const { return length_ms_; }
    // Decoded frames waiting; read by the output thread only.
    FrameRing& Frames() { return frames_; }
    // True once a local file is decoded to its end; never for a station, which reconnects.
    bool DecodingEnded() const { return decoding_ended_.load(std::memory_order_acquire); }
    // The station's last ICY title, UTF-8. Any thread.
    std::string Title() const;

 private:
    MediaSource(std::unique_ptr<Decoder> decoder, std::string address, bool station, int length_ms,
                std::shared_ptr<std::atomic<bool>> stopping);
    void Run();
    void DecodeUntilEnd();
    bool ReopenStation();
    void WriteFrames(const float* frames, int count);
    void PollTitle();

    std::unique_ptr<Decoder> decoder_;
    const std::string address_;
    const bool station_;
    const int length_ms_;
    FrameRing frames_;
    // Shared with FFmpeg's connection: a stop interrupts its network waits.
    std::shared_ptr<std::atomic<bool>> stopping_;
    std::atomic<bool> decoding_ended_{false};
    mutable std::mutex title_mutex_;
    std::string title_;
    std::thread worker_;
};

}  // namespace platform::media
