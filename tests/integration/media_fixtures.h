#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace fixtures {

// A fresh folder for generated media, removed with the object.
class MediaFolder {
 public:
    MediaFolder();
    ~MediaFolder();
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
    std::filesystem::path folder_;
};

// Encodes a sine with the ffmpeg tool; `encoder_options` picks the kind of MP3.
std::string MakeMp3(const MediaFolder& folder, const std::string& name, int rate, int channels,
                    double seconds, const std::string& encoder_options);
// The length in ms that decoding the file gives, by the ffmpeg tool (which drops the encoder
// delay and padding the file announces).
int DecodedLengthMs(const std::string& path, int rate);
// A 44.1 kHz stereo 32-bit float WAV whose every sample comes from sample(i).
std::string MakeFloatWav(const MediaFolder& folder, const std::string& name, int frames,
                         const std::function<float(int)>& sample);

// Polls until condition() holds or the time runs out; returns whether it held.
bool WaitFor(const std::function<bool()>& condition, double seconds);

}  // namespace fixtures
