// Drives the audio engine the way the player does, for bench/engine to time and measure from
// outside. Figures go to stdout as "name value" lines, one per line, flushed at once so a caller
// that ends the process early still reads them.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>

#include "platform/media/media_engine.h"

namespace {

using platform::ChannelHandle;
using platform::SoundHandle;
using platform::media::MediaEngine;
using platform::media::OutputChoice;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// A listener on the sound server hears the audio somewhat after the engine consumed it; playing
// on for a while lets it hear the start.
constexpr auto kLingerAfterFirstAudio = 2s;
// Far longer than any open on loopback; reaching it means the engine is broken, not slow.
constexpr auto kFirstAudioTimeout = 10s;
constexpr auto kPollInterval = 1ms;
// RSS is compared from here on, so that one-time costs (libraries, the device, the allocator's
// first arenas) do not count as growth.
constexpr int kEarlyPlays = 10;

void Report(const char* name, double value) {
    std::printf("%s %.3f\n", name, value);
    std::fflush(stdout);
}

void ReportOutput(const MediaEngine& engine) {
    std::printf("output %s\n", engine.SilentOutput() ? "silent" : "system");
    std::fflush(stdout);
}

// CLOCK_MONOTONIC is one clock for every process, so the caller can time from this moment to
// what it observes itself, without counting the start of this process.
void ReportMonotonicNow(const char* name) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%s %lld.%09ld\n", name, static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
}

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long ResidentKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

SoundHandle Open(MediaEngine& engine, const std::string& url) {
    const SoundHandle sound = engine.CreateStream(url, platform::kOpenStationAddress);
    if (sound == 0) std::fprintf(stderr, "bench_engine: could not open %s\n", url.c_str());
    return sound;
}

// PositionMs counts what the output has taken, so it turns positive with the first audio.
bool WaitForFirstAudio(MediaEngine& engine, ChannelHandle channel) {
    const auto deadline = Clock::now() + kFirstAudioTimeout;
    while (engine.PositionMs(channel) <= 0) {
        if (Clock::now() > deadline) {
            std::fprintf(stderr, "bench_engine: no audio within the timeout\n");
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

int FirstAudio(const std::string& url) {
    MediaEngine engine(OutputChoice::kSystem);
    ReportMonotonicNow("open_called_at_s");
    const auto start = Clock::now();
    const SoundHandle sound = Open(engine, url);
    if (sound == 0) return 1;
    const double open_ms = MsSince(start);
    const ChannelHandle channel = engine.PlaySound(sound, false);
    engine.SetVolume(channel, 1.0f);
    if (!WaitForFirstAudio(engine, channel)) return 1;
    const double first_audio_ms = MsSince(start);
    ReportOutput(engine);
    Report("open_ms", open_ms);
    Report("first_audio_ms", first_audio_ms);
    std::this_thread::sleep_for(kLingerAfterFirstAudio);
    engine.Stop(channel);
    return 0;
}

int Play(const std::string& url, double seconds) {
    MediaEngine engine(OutputChoice::kSystem);
    const SoundHandle sound = Open(engine, url);
    if (sound == 0) return 1;
    const ChannelHandle channel = engine.PlaySound(sound, false);
    engine.SetVolume(channel, 1.0f);
    ReportOutput(engine);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    engine.Stop(channel);
    return 0;
}

// Each play opens a new connection and replaces the last, as zapping through stations does; it
// waits for audio so that every play runs through the decoder and the output.
int Replays(const std::string& url, int plays) {
    MediaEngine engine(OutputChoice::kSystem);
    const auto start = Clock::now();
    ChannelHandle channel = 0;
    for (int play = 1; play <= plays; ++play) {
        const SoundHandle sound = Open(engine, url);
        if (sound == 0) return 1;
        channel = engine.PlaySound(sound, false);
        if (!WaitForFirstAudio(engine, channel)) return 1;
        if (play == kEarlyPlays) {
            Report("early_plays", kEarlyPlays);
            Report("early_rss_kib", static_cast<double>(ResidentKib()));
        }
    }
    ReportOutput(engine);
    Report("plays", plays);
    Report("final_rss_kib", static_cast<double>(ResidentKib()));
    Report("ms_per_play", MsSince(start) / plays);
    engine.Stop(channel);
    return 0;
}

// The positive number an argument spells, 0 when it spells none.
double PositiveNumber(const char* text) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    return end != text && *end == '\0' && value > 0 ? value : 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: bench_engine first-audio URL\n"
                 "       bench_engine play URL SECONDS\n"
                 "       bench_engine replays URL N   (N >= %d)\n",
                 kEarlyPlays);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    const std::string mode = argv[1];
    const std::string url = argv[2];
    if (mode == "first-audio" && argc == 3) return FirstAudio(url);
    const double number = argc == 4 ? PositiveNumber(argv[3]) : 0;
    if (mode == "play" && number > 0) return Play(url, number);
    const int plays = static_cast<int>(number);
    if (mode == "replays" && plays == number && plays >= kEarlyPlays) return Replays(url, plays);
    return Usage();
}
