#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct SwrContext;

namespace platform::media {

// Receives decoded audio: `count` interleaved stereo float frames at the output rate.
using FrameSink = std::function<void(const float* frames, int count)>;

// FFmpeg demuxing, decoding and resampling of the best audio stream of one file or address.
// Used by one thread at a time. Network waits end as soon as *stop becomes true.
class Decoder {
 public:
    // Null when the source cannot be opened or holds no decodable audio; then *not_audio says
    // whether it answered with something that is not audio (and was not merely unreachable).
    static std::unique_ptr<Decoder> Open(const std::string& address, bool station,
                                         const std::atomic<bool>* stop, bool* not_audio = nullptr);
    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Reads one packet and hands what it decodes to the sink. False at the end or on an error.
    bool Step(const FrameSink& sink);
    // Hands over what the decoder and the resampler still hold, at the end of a file.
    void Flush(const FrameSink& sink);
    // The raw ICY metadata block last received from a station, empty when none.
    std::string IcyMetadata() const;

 private:
    Decoder() = default;
    int OpenInput(const std::string& address, bool station, const std::atomic<bool>* stop);
    bool OpenCodec();
    void Receive(const FrameSink& sink);
    bool Convert(const AVFrame* frame, const FrameSink& sink);
    bool ConfigureResampler(const AVFrame* frame);

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* resampler_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int stream_ = -1;
    int resampler_rate_ = 0;
    int resampler_format_ = -1;
    int resampler_channels_ = 0;
    std::vector<float> converted_;
};

// The exact decoded length of a local file in ms: the sum of its packets' durations less the
// encoder delay and padding they announce. 0 when it cannot be read.
int ScanLengthMs(const std::string& path);

// Up to max_bytes of the document at an address, with the type the server gave it.
std::string FetchText(const std::string& address, std::size_t max_bytes, std::string* content_type);

}  // namespace platform::media
