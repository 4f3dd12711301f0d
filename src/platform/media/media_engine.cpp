#include "platform/media/media_engine.h"

#include <algorithm>
#include <cstring>
#include <future>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

#include "platform/media/media_source.h"

namespace platform::media {
namespace {

constexpr std::uint32_t kIndexBits = 12;
constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr float kMaxGain = 2.55f;
constexpr auto kOpenPollInterval = std::chrono::milliseconds(10);

SoundHandle MakeHandle(std::size_t index, std::uint32_t generation) {
    return generation << kIndexBits | static_cast<std::uint32_t>(index + 1);
}

int FramesToMs(std::uint64_t frames) {
    return static_cast<int>(frames * 1000 / static_cast<std::uint64_t>(kOutputRate));
}

}  // namespace

MediaEngine::MediaEngine(OutputChoice output, std::function<void()> while_opening)
    : while_opening_(std::move(while_opening)),
      output_(output, [this](float* out, int frames) { Render(out, frames); }) {
    av_log_set_level(AV_LOG_FATAL);
    avformat_network_init();
}

MediaEngine::~MediaEngine() = default;

void MediaEngine::CreateSystem() {}

void MediaEngine::Init(int) {}

// The open runs on a thread of its own while the caller keeps its windows alive.
std::shared_ptr<MediaSource> MediaEngine::OpenSource(const std::string& source, bool station) {
    if (!while_opening_) return MediaSource::Open(source, station);
    auto opening = std::async(std::launch::async,
                              [source, station] { return MediaSource::Open(source, station); });
    while (opening.wait_for(kOpenPollInterval) != std::future_status::ready) while_opening_();
    return opening.get();
}

SoundHandle MediaEngine::CreateStream(const std::string& source, int mode) {
    std::shared_ptr<MediaSource> opened = OpenSource(source, mode != kOpenLocalFile);
    if (!opened) return 0;
    output_.Start();
    auto free_slot = std::find_if(sounds_.begin(), sounds_.end(),
                                  [](const SoundSlot& slot) { return !slot.source; });
    if (free_slot == sounds_.end()) {
        if (sounds_.size() >= kIndexMask) return 0;
        free_slot = sounds_.insert(sounds_.end(), SoundSlot{});
    }
    free_slot->generation = (free_slot->generation + 1) & (~0u >> kIndexBits);
    if (free_slot->generation == 0) free_slot->generation = 1;
    free_slot->source = std::move(opened);
    return MakeHandle(static_cast<std::size_t>(free_slot - sounds_.begin()), free_slot->generation);
}

MediaSource* MediaEngine::Find(SoundHandle sound) const {
    const std::size_t index = (sound & kIndexMask);
    if (index == 0 || index > sounds_.size()) return nullptr;
    const SoundSlot& slot = sounds_[index - 1];
    return slot.generation == sound >> kIndexBits ? slot.source.get() : nullptr;
}

int MediaEngine::LengthMs(SoundHandle sound) {
    const MediaSource* source = Find(sound);
    return source ? source->LengthMs() : 0;
}

// The sound that played before is released: its thread ends and its connection closes.
ChannelHandle MediaEngine::PlaySound(SoundHandle sound, bool paused) {
    MediaSource* source = Find(sound);
    if (!source) return 0;
    const SoundHandle previous = channel_.sound;
    std::shared_ptr<MediaSource> replaced;
    const ChannelHandle handle = ++next_play_ == 0 ? ++next_play_ : next_play_;
    {
        std::lock_guard lock(channel_.mutex);
        replaced = std::move(channel_.source);
        channel_.source = sounds_[(sound & kIndexMask) - 1].source;
        channel_.sound = sound;
        channel_.paused.store(paused);
        channel_.finished.store(false);
        channel_.consumed_frames.store(0);
        channel_.handle.store(handle);
    }
    if (previous != sound) ReleaseSound(previous);
    return handle;
}

bool MediaEngine::IsCurrent(ChannelHandle channel) const {
    return channel != 0 && channel == channel_.handle.load();
}

void MediaEngine::SetVolume(ChannelHandle channel, float volume) {
    if (IsCurrent(channel)) channel_.volume.store(std::clamp(volume, 0.0f, kMaxGain));
}

void MediaEngine::SetPaused(ChannelHandle channel, bool paused) {
    if (IsCurrent(channel)) channel_.paused.store(paused);
}

std::shared_ptr<MediaSource> MediaEngine::DetachChannel() {
    std::lock_guard lock(channel_.mutex);
    channel_.handle.store(0);
    channel_.sound = 0;
    return std::move(channel_.source);
}

void MediaEngine::Stop(ChannelHandle channel) {
    if (!IsCurrent(channel)) return;
    const SoundHandle sound = channel_.sound;
    DetachChannel();
    ReleaseSound(sound);
}

int MediaEngine::PositionMs(ChannelHandle channel) {
    if (!IsCurrent(channel)) return 0;
    std::lock_guard lock(channel_.mutex);
    if (!channel_.source) return 0;
    const int length = channel_.source->LengthMs();
    if (channel_.finished.load()) return length;
    const int played = FramesToMs(channel_.consumed_frames.load());
    return length > 0 ? std::min(played, length) : played;
}

void MediaEngine::Spectrum(ChannelHandle channel, float* values) {
    const bool playing = IsCurrent(channel) && !channel_.paused.load() && !channel_.finished.load();
    if (!playing) {
        std::fill(values, values + kSpectrumSize, 0.0f);
        return;
    }
    {
        std::lock_guard lock(history_mutex_);
        const std::size_t oldest = history_next_;
        std::copy(history_.begin() + static_cast<long>(oldest), history_.end(), ordered_.begin());
        std::copy(history_.begin(), history_.begin() + static_cast<long>(oldest),
                  ordered_.end() - static_cast<long>(oldest));
    }
    analyzer_.Analyze(ordered_.data(), values);
}

void MediaEngine::SetOutput(int) {}

void MediaEngine::ReleaseSound(SoundHandle sound) {
    MediaSource* source = Find(sound);
    if (!source) return;
    std::shared_ptr<MediaSource> detached;
    if (channel_.sound == sound) detached = DetachChannel();
    SoundSlot& slot = sounds_[(sound & kIndexMask) - 1];
    // Destroying the source joins its worker; that happens here, on the caller's thread, never
    // on the output thread.
    std::shared_ptr<MediaSource> released = std::move(slot.source);
}

std::string MediaEngine::StreamTitle(SoundHandle sound) {
    const MediaSource* source = Find(sound);
    return source ? source->Title() : std::string();
}

void MediaEngine::Render(float* out, int frames) {
    const std::size_t samples = static_cast<std::size_t>(frames) * kOutputChannels;
    std::unique_lock lock(channel_.mutex);
    if (!channel_.source || channel_.paused.load() || channel_.finished.load()) {
        std::memset(out, 0, samples * sizeof(float));
        return;
    }
    const int got = ReadFrames(*channel_.source, out, frames);
    lock.unlock();
    RememberLeftChannel(out, got);
    const float gain = channel_.volume.load();
    for (std::size_t i = 0; i < static_cast<std::size_t>(got) * kOutputChannels; ++i)
        out[i] = std::clamp(out[i] * gain, -1.0f, 1.0f);
}

// Called with the channel locked. A file that has nothing more to give is finished.
int MediaEngine::ReadFrames(MediaSource& source, float* out, int frames) {
    const auto got = static_cast<int>(source.Frames().Read(out, static_cast<std::size_t>(frames)));
    channel_.consumed_frames.fetch_add(static_cast<std::uint64_t>(got));
    std::memset(out + static_cast<std::size_t>(got) * kOutputChannels, 0,
                static_cast<std::size_t>(frames - got) * kOutputChannels * sizeof(float));
    if (got < frames && source.DecodingEnded() && source.Frames().Readable() == 0)
        channel_.finished.store(true);
    return got;
}

void MediaEngine::RememberLeftChannel(const float* frames, int count) {
    std::lock_guard lock(history_mutex_);
    for (int i = 0; i < count; ++i) {
        history_[history_next_] = frames[static_cast<std::size_t>(i) * kOutputChannels];
        history_next_ = (history_next_ + 1) % history_.size();
    }
}

}  // namespace platform::media
