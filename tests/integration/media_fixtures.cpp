#include "media_fixtures.h"

#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace fixtures {
namespace {

std::string Run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run: " + command);
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    if (pclose(pipe) != 0) throw std::runtime_error("failed: " + command);
    return output;
}

template <typename T>
void Put(std::ofstream& out, T value) {
    out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

MediaFolder::MediaFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vexa-media-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    folder_ = pattern;
}

MediaFolder::~MediaFolder() { std::filesystem::remove_all(folder_); }

std::string MakeMp3(const MediaFolder& folder, const std::string& name, int rate, int channels,
                    double seconds, const std::string& encoder_options) {
    const std::string path = folder.Path(name);
    Run("ffmpeg -nostdin -loglevel error -y -f lavfi -i sine=frequency=440:sample_rate=" +
        std::to_string(rate) + ":duration=" + std::to_string(seconds) + " -ac " +
        std::to_string(channels) + " -c:a libmp3lame " + encoder_options + " '" + path + "'");
    return path;
}

int DecodedLengthMs(const std::string& path, int rate) {
    const std::string pcm = Run("ffmpeg -nostdin -loglevel error -i '" + path +
                                "' -f s16le -ac 1 -ar " + std::to_string(rate) + " -");
    const auto samples = static_cast<std::int64_t>(pcm.size() / 2);
    return static_cast<int>(samples * 1000 / rate);
}

std::string MakeFloatWav(const MediaFolder& folder, const std::string& name, int frames,
                         const std::function<float(int)>& sample) {
    const std::string path = folder.Path(name);
    std::ofstream out(path, std::ios::binary);
    const std::uint32_t data_bytes = static_cast<std::uint32_t>(frames) * 2 * 4;
    out.write("RIFF", 4);
    Put<std::uint32_t>(out, 36 + data_bytes);
    out.write("WAVEfmt ", 8);
    Put<std::uint32_t>(out, 16);
    Put<std::uint16_t>(out, 3);  // IEEE float
    Put<std::uint16_t>(out, 2);
    Put<std::uint32_t>(out, 44100);
    Put<std::uint32_t>(out, 44100 * 8);
    Put<std::uint16_t>(out, 8);
    Put<std::uint16_t>(out, 32);
    out.write("data", 4);
    Put<std::uint32_t>(out, data_bytes);
    for (int i = 0; i < frames; ++i) {
        const float value = sample(i);
        Put(out, value);
        Put(out, value);
    }
    return path;
}

bool WaitFor(const std::function<bool()>& condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace fixtures
