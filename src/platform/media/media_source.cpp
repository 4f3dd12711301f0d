#include "platform/media/media_source.h"

#include <chrono>

#include "platform/media/decoder.h"
#include "platform/media/icy_title.h"
#include "platform/media/stream_playlist.h"

namespace platform::media {
namespace {

using namespace std::chrono_literals;

// Two seconds of audio decoded ahead: enough to ride out network hiccups.
constexpr std::size_t kRingFrames = 2 * kOutputRate;
constexpr std::size_t kPlaylistBytes = 16384;
constexpr auto kReconnectWait = 1000ms;
// How long a stop may wait for the decoding thread; also its pause while the ring is full,
// which with two seconds ahead can be long without starving the output.
constexpr auto kStopCheck = 50ms;
constexpr auto kTitlePollInterval = 500ms;

// A playlist address becomes its first entry; HLS playlists are streams and stay as they are.
std::string ResolvePlaylist(const std::string& address, PlaylistKind kind) {
    std::string content_type;
    const std::string text = FetchText(address, kPlaylistBytes, &content_type);
    if (text.find("#EXT-X-") != std::string::npos) return address;
    if (kind == PlaylistKind::None) kind = PlaylistKindOfContentType(content_type);
    if (kind == PlaylistKind::None) kind = PlaylistKindOfText(text);
    return FirstPlaylistEntry(kind, text, address);
}

// Some stations hand out a playlist under an address that does not say so; when the address
// does not open as audio, look at what it serves.
std::unique_ptr<Decoder> OpenStation(std::string& address, const std::atomic<bool>* stop) {
    if (PlaylistKindOfAddress(address) != PlaylistKind::None)
        address = ResolvePlaylist(address, PlaylistKindOfAddress(address));
    if (address.empty()) return nullptr;
    bool not_audio = false;
    if (auto decoder = Decoder::Open(address, true, stop, &not_audio)) return decoder;
    if (!not_audio) return nullptr;
    const std::string entry = ResolvePlaylist(address, PlaylistKind::None);
    if (entry.empty() || entry == address) return nullptr;
    address = entry;
    return Decoder::Open(address, true, stop);
}

}  // namespace

std::unique_ptr<MediaSource> MediaSource::Open(const std::string& source, bool station) {
    // Made before the connection: FFmpeg keeps the flag it was opened with for its whole life.
    auto stop = std::make_shared<std::atomic<bool>>(false);
    std::string address = source;
    std::unique_ptr<Decoder> decoder =
        station ? OpenStation(address, stop.get()) : Decoder::Open(address, false, stop.get());
    if (!decoder) return nullptr;
    const int length_ms = station ? 0 : ScanLengthMs(source);
    return std::unique_ptr<MediaSource>(
        new MediaSource(std::move(decoder), address, station, length_ms, std::move(stop)));
}

MediaSource::MediaSource(std::unique_ptr<Decoder> decoder, std::string address, bool station,
                         int length_ms, std::shared_ptr<std::atomic<bool>> stopping)
    : decoder_(std::move(decoder)),
      address_(std::move(address)),
      station_(station),
      length_ms_(length_ms),
      frames_(kRingFrames),
      stopping_(std::move(stopping)) {
    worker_ = std::thread([this] { Run(); });
}

MediaSource::~MediaSource() {
    stopping_->store(true);
    worker_.join();
}

std::string MediaSource::Title() const {
    std::lock_guard lock(title_mutex_);
    return title_;
}

// A file is decoded once to its end. A station never ends: when its stream breaks off for
// longer than the network layer's own reconnection covers, it is opened again until it answers.
void MediaSource::Run() {
    DecodeUntilEnd();
    while (station_ && !stopping_->load() && ReopenStation()) DecodeUntilEnd();
    if (!station_ && decoder_) {
        decoder_->Flush([this](const float* frames, int count) { WriteFrames(frames, count); });
    }
    decoding_ended_.store(!station_, std::memory_order_release);
}

void MediaSource::DecodeUntilEnd() {
    auto last_poll = std::chrono::steady_clock::now();
    const FrameSink sink = [this](const float* frames, int count) { WriteFrames(frames, count); };
    while (!stopping_->load() && decoder_ && decoder_->Step(sink)) {
        if (!station_ || std::chrono::steady_clock::now() - last_poll < kTitlePollInterval)
            continue;
        last_poll = std::chrono::steady_clock::now();
        PollTitle();
    }
}

// False only when the source is being stopped.
bool MediaSource::ReopenStation() {
    decoder_.reset();
    while (!stopping_->load()) {
        for (auto waited = 0ms; waited < kReconnectWait && !stopping_->load(); waited += kStopCheck)
            std::this_thread::sleep_for(kStopCheck);
        if (stopping_->load()) break;
        decoder_ = Decoder::Open(address_, true, stopping_.get());
        if (decoder_) return true;
    }
    return false;
}

// Waits while the ring is full (the output is behind, or paused).
void MediaSource::WriteFrames(const float* frames, int count) {
    auto remaining = static_cast<std::size_t>(count);
    while (remaining > 0 && !stopping_->load()) {
        const std::size_t written = frames_.Write(frames, remaining);
        frames += written * kOutputChannels;
        remaining -= written;
        if (remaining > 0) std::this_thread::sleep_for(kStopCheck);
    }
}

void MediaSource::PollTitle() {
    const std::string metadata = decoder_->IcyMetadata();
    if (metadata.empty()) return;
    std::string title = IcyStreamTitle(metadata);
    std::lock_guard lock(title_mutex_);
    title_ = std::move(title);
}

}  // namespace platform::media
