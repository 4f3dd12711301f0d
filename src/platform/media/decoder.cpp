#include "platform/media/decoder.h"

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "platform/media/media_source.h"

namespace platform::media {
namespace {

// Enough of an MP3 or AAC mount to find several frames in a row, even starting mid-frame; the
// default probe waits for seconds of a stream before the first sound.
constexpr int kStationProbeBytes = 8192;

// A dead server fails the open within 5 s; a dropped stream reconnects by itself.
void SetStationOptions(AVDictionary** options) {
    av_dict_set(options, "reconnect", "1", 0);
    av_dict_set(options, "reconnect_streamed", "1", 0);
    av_dict_set(options, "reconnect_delay_max", "5", 0);
    av_dict_set(options, "rw_timeout", "5000000", 0);
    av_dict_set(options, "icy", "1", 0);
    av_dict_set(options, "tls_verify", "1", 0);
    av_dict_set(options, "formatprobesize", std::to_string(kStationProbeBytes).c_str(), 0);
    av_dict_set(options, "user_agent", "VexaRadio/1.0", 0);
}

int StopRequested(void* flag) {
    return flag && static_cast<const std::atomic<bool>*>(flag)->load(std::memory_order_relaxed);
}

}  // namespace

std::unique_ptr<Decoder> Decoder::Open(const std::string& address, bool station,
                                       const std::atomic<bool>* stop, bool* not_audio) {
    std::unique_ptr<Decoder> decoder(new Decoder);
    const int opened = decoder->OpenInput(address, station, stop);
    const bool decodable = opened >= 0 && decoder->OpenCodec();
    if (not_audio) *not_audio = opened == AVERROR_INVALIDDATA || (opened >= 0 && !decodable);
    return decodable ? std::move(decoder) : nullptr;
}

Decoder::~Decoder() {
    swr_free(&resampler_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
}

// 0 or FFmpeg's error code.
int Decoder::OpenInput(const std::string& address, bool station, const std::atomic<bool>* stop) {
    format_ = avformat_alloc_context();
    if (!format_) return AVERROR(ENOMEM);
    format_->interrupt_callback.callback = StopRequested;
    format_->interrupt_callback.opaque = const_cast<std::atomic<bool>*>(stop);
    AVDictionary* options = nullptr;
    if (station) SetStationOptions(&options);
    const int opened = avformat_open_input(&format_, address.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) return opened;  // format_ is freed on failure
    if (station) format_->probesize = kStationProbeBytes;
    const int found = avformat_find_stream_info(format_, nullptr);
    return found < 0 ? AVERROR_INVALIDDATA : 0;
}

bool Decoder::OpenCodec() {
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec) return false;
    codec_ = avcodec_alloc_context3(codec);
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (!codec_ || !packet_ || !frame_) return false;
    if (avcodec_parameters_to_context(codec_, format_->streams[stream_]->codecpar) < 0)
        return false;
    codec_->pkt_timebase = format_->streams[stream_]->time_base;
    return avcodec_open2(codec_, codec, nullptr) >= 0;
}

bool Decoder::Step(const FrameSink& sink) {
    const int read = av_read_frame(format_, packet_);
    if (read == AVERROR(EAGAIN)) return true;
    if (read < 0) return false;
    if (packet_->stream_index == stream_ && avcodec_send_packet(codec_, packet_) >= 0)
        Receive(sink);
    av_packet_unref(packet_);
    return true;
}

void Decoder::Flush(const FrameSink& sink) {
    avcodec_send_packet(codec_, nullptr);
    Receive(sink);
    if (!resampler_) return;
    const int pending = swr_get_out_samples(resampler_, 0);
    if (pending <= 0) return;
    converted_.resize(static_cast<std::size_t>(pending) * kOutputChannels);
    auto* out = reinterpret_cast<uint8_t*>(converted_.data());
    const int count = swr_convert(resampler_, &out, pending, nullptr, 0);
    if (count > 0) sink(converted_.data(), count);
}

void Decoder::Receive(const FrameSink& sink) {
    while (avcodec_receive_frame(codec_, frame_) >= 0) {
        Convert(frame_, sink);
        av_frame_unref(frame_);
    }
}

bool Decoder::Convert(const AVFrame* frame, const FrameSink& sink) {
    if (!ConfigureResampler(frame)) return false;
    const int capacity = swr_get_out_samples(resampler_, frame->nb_samples);
    if (capacity <= 0) return true;
    converted_.resize(static_cast<std::size_t>(capacity) * kOutputChannels);
    auto* out = reinterpret_cast<uint8_t*>(converted_.data());
    const int count =
        swr_convert(resampler_, &out, capacity, const_cast<const uint8_t**>(frame->extended_data),
                    frame->nb_samples);
    if (count > 0) sink(converted_.data(), count);
    return count >= 0;
}

// Streams may change their format midway (a new song at another rate): follow the frames.
bool Decoder::ConfigureResampler(const AVFrame* frame) {
    const int channels = frame->ch_layout.nb_channels;
    if (resampler_ && frame->sample_rate == resampler_rate_ && frame->format == resampler_format_ &&
        channels == resampler_channels_)
        return true;
    swr_free(&resampler_);
    AVChannelLayout in_layout{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&in_layout, channels);
    } else {
        av_channel_layout_copy(&in_layout, &frame->ch_layout);
    }
    AVChannelLayout out_layout{};
    av_channel_layout_default(&out_layout, kOutputChannels);
    const int made = swr_alloc_set_opts2(&resampler_, &out_layout, AV_SAMPLE_FMT_FLT, kOutputRate,
                                         &in_layout, static_cast<AVSampleFormat>(frame->format),
                                         frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in_layout);
    av_channel_layout_uninit(&out_layout);
    if (made < 0 || swr_init(resampler_) < 0) {
        swr_free(&resampler_);
        return false;
    }
    resampler_rate_ = frame->sample_rate;
    resampler_format_ = frame->format;
    resampler_channels_ = channels;
    return true;
}

std::string Decoder::IcyMetadata() const {
    uint8_t* value = nullptr;
    if (av_opt_get(format_, "icy_metadata_packet", AV_OPT_SEARCH_CHILDREN, &value) < 0 || !value)
        return {};
    std::string metadata(reinterpret_cast<const char*>(value));
    av_free(value);
    return metadata;
}

int ScanLengthMs(const std::string& path) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return 0;
    int64_t samples = 0;
    int rate = 0;
    const int stream = avformat_find_stream_info(format, nullptr) >= 0
                           ? av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0)
                           : -1;
    if (stream >= 0) rate = format->streams[stream]->codecpar->sample_rate;
    AVPacket* packet = av_packet_alloc();
    while (rate > 0 && packet && av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == stream) {
            samples += av_rescale_q(packet->duration, format->streams[stream]->time_base,
                                    AVRational{1, rate});
            size_t size = 0;
            const uint8_t* skip = av_packet_get_side_data(packet, AV_PKT_DATA_SKIP_SAMPLES, &size);
            if (skip && size >= 8) samples -= AV_RL32(skip) + AV_RL32(skip + 4);
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&format);
    return rate > 0 && samples > 0 ? static_cast<int>(samples * 1000 / rate) : 0;
}

std::string FetchText(const std::string& address, std::size_t max_bytes,
                      std::string* content_type) {
    AVIOContext* io = nullptr;
    AVDictionary* options = nullptr;
    SetStationOptions(&options);
    const int opened = avio_open2(&io, address.c_str(), AVIO_FLAG_READ, nullptr, &options);
    av_dict_free(&options);
    if (opened < 0) return {};
    std::string text(max_bytes, '\0');
    const int got =
        avio_read(io, reinterpret_cast<unsigned char*>(text.data()), static_cast<int>(max_bytes));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    uint8_t* type = nullptr;
    if (content_type && av_opt_get(io, "mime_type", AV_OPT_SEARCH_CHILDREN, &type) >= 0 && type) {
        *content_type = reinterpret_cast<const char*>(type);
        av_free(type);
    }
    avio_closep(&io);
    return text;
}

}  // namespace platform::media
