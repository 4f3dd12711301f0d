#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Handles are small numbers with a generation count, never pointers. 0 is "none". Every call
// accepts any handle (0, stopped, finished, released, from an earlier play) and is then harmless:
// it does nothing and answers 0.
using SoundHandle = std::uint32_t;
using ChannelHandle = std::uint32_t;

enum OpenMode : int {
    kOpenLocalFile = 64,
    kOpenStationAddress = 128,
};

constexpr int kSpectrumSize = 512;

// The sound engine: streams from files and addresses, one channel (0) on which a sound plays,
// and what the program reads back from it. Unless a function says otherwise it is called on the
// GUI thread only; the engine's own threads never call back into the program.
class AudioEngine {
 public:
    virtual ~AudioEngine() = default;

    // Creates the system object; then Init readies it. Nothing is opened until a stream is made.
    virtual void CreateSystem() = 0;
    virtual void Init(int channels) = 0;
    // Blocks until the file or address is open and returns a sound ready to play, 0 when it
    // could not be opened. Both modes stream: decoding runs ahead on a worker thread.
    virtual SoundHandle CreateStream(const std::string& source, int mode) = 0;
    // The exact length of a local file in ms; 0 for a station.
    virtual int LengthMs(SoundHandle sound) = 0;
    // Plays the sound on channel 0 at once, replacing (and releasing) what channel 0 played.
    virtual ChannelHandle PlaySound(SoundHandle sound, bool paused) = 0;
    // A gain from 0.0 to 2.55; samples are clipped to full scale after it.
    virtual void SetVolume(ChannelHandle channel, float volume) = 0;
    // Pause holds the position and the output; resume continues from there.
    virtual void SetPaused(ChannelHandle channel, bool paused) = 0;
    // Stops for good; the sound is released.
    virtual void Stop(ChannelHandle channel) = 0;
    // The time of the audio the output has consumed, in ms. At the end of a local file the
    // channel stays finished with the position equal to the length, until stopped or replaced.
    virtual int PositionMs(ChannelHandle channel) = 0;
    // kSpectrumSize magnitudes of the last 1024 frames the channel delivered (left channel,
    // before the volume): a full-scale sine centred on a band gives 1.0. Zeros when the channel
    // does not play.
    virtual void Spectrum(ChannelHandle channel, float* values) = 0;
    // Output selection: accepted and ignored once the engine runs.
    virtual void SetOutput(int output) = 0;
    // Releases a sound that is not needed any more; a playing sound stops.
    virtual void ReleaseSound(SoundHandle sound) = 0;
    // The station's current title (ICY StreamTitle) in UTF-8, empty when none was sent.
    virtual std::string StreamTitle(SoundHandle sound) = 0;
};

}  // namespace platform
