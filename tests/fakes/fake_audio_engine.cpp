#include "fakes/fake_audio_engine.h"

#include <algorithm>

namespace fakes {

platform::SoundHandle FakeAudioEngine::CreateStream(const std::string& source, int mode) {
    log_.Add("audio.CreateStream " + source + " " + std::to_string(mode));
    if (!lengths.count(source)) return 0;
    opened_.push_back(source);
    return static_cast<platform::SoundHandle>(opened_.size());
}

int FakeAudioEngine::LengthMs(platform::SoundHandle sound) {
    if (sound == 0 || sound > opened_.size()) return 0;
    return lengths[opened_[sound - 1]];
}

// Channel handles are the sound's handle plus 100, so a test can tell them apart.
platform::ChannelHandle FakeAudioEngine::PlaySound(platform::SoundHandle sound, bool is_paused) {
    log_.Add("audio.PlaySound " + std::to_string(sound) + (is_paused ? " paused" : ""));
    return sound == 0 ? 0 : sound + 100;
}

void FakeAudioEngine::SetVolume(platform::ChannelHandle channel, float value) {
    log_.Add("audio.SetVolume " + std::to_string(channel));
    volume = value;
}

void FakeAudioEngine::SetPaused(platform::ChannelHandle channel, bool value) {
    log_.Add("audio.SetPaused " + std::to_string(channel) + " " + std::to_string(value));
    paused = value;
}

void FakeAudioEngine::Stop(platform::ChannelHandle channel) {
    log_.Add("audio.Stop " + std::to_string(channel));
}

int FakeAudioEngine::PositionMs(platform::ChannelHandle channel) {
    return channel == 0 ? 0 : position_ms;
}

void FakeAudioEngine::Spectrum(platform::ChannelHandle channel, float* values) {
    log_.Add("audio.Spectrum " + std::to_string(channel));
    std::copy(spectrum.begin(), spectrum.end(), values);
}

void FakeAudioEngine::ReleaseSound(platform::SoundHandle sound) {
    log_.Add("audio.ReleaseSound " + std::to_string(sound));
}

}  // namespace fakes
