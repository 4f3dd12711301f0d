#include "platform/media/media_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <numbers>
#include <thread>
#include <vector>

#include "media_fixtures.h"

namespace {

using fixtures::WaitFor;
using platform::ChannelHandle;
using platform::SoundHandle;
using platform::media::MediaEngine;
using platform::media::OutputChoice;

class MediaEngineTest : public ::testing::Test {
 protected:
    MediaEngine engine{OutputChoice::kSilent};
    fixtures::MediaFolder media;

    std::vector<float> SpectrumOf(ChannelHandle channel) {
        std::vector<float> values(platform::kSpectrumSize, -1.0f);
        engine.Spectrum(channel, values.data());
        return values;
    }

    // Plays until the channel has delivered at least `ms` of audio.
    ChannelHandle PlayFor(SoundHandle sound, int ms) {
        const ChannelHandle channel = engine.PlaySound(sound, false);
        EXPECT_TRUE(WaitFor([&] { return engine.PositionMs(channel) >= ms; }, 10));
        return channel;
    }
};

TEST_F(MediaEngineTest, TheLengthOfAFileIsItsExactDecodedLength) {
    struct Case {
        const char* name;
        int rate;
        int channels;
        const char* options;
    };
    const Case cases[] = {
        {"cbr.mp3", 44100, 2, "-b:a 128k"},
        {"vbr-lame-header.mp3", 44100, 2, "-q:a 4"},
        {"vbr-no-header.mp3", 44100, 2, "-q:a 4 -write_xing 0"},
        {"mono.mp3", 44100, 1, "-b:a 64k"},
        {"48khz.mp3", 48000, 2, "-b:a 160k"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            fixtures::MakeMp3(media, c.name, c.rate, c.channels, 1.3, c.options);
        const SoundHandle sound = engine.CreateStream(path, platform::kOpenLocalFile);
        ASSERT_NE(sound, 0u);
        EXPECT_EQ(engine.LengthMs(sound), fixtures::DecodedLengthMs(path, c.rate));
        engine.ReleaseSound(sound);
    }
}

TEST_F(MediaEngineTest, AFilePlayedToItsEndStaysFinishedAtExactlyItsLength) {
    const std::string paths[] = {
        fixtures::MakeMp3(media, "cbr.mp3", 44100, 2, 0.8, "-b:a 128k"),
        fixtures::MakeMp3(media, "vbr.mp3", 48000, 1, 0.8, "-q:a 4 -write_xing 0"),
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const SoundHandle sound = engine.CreateStream(path, platform::kOpenLocalFile);
        const int length = engine.LengthMs(sound);
        ASSERT_GT(length, 700);
        const ChannelHandle channel = engine.PlaySound(sound, false);

        ASSERT_TRUE(WaitFor([&] { return engine.PositionMs(channel) == length; }, 10));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));

        EXPECT_EQ(engine.PositionMs(channel), length);
        EXPECT_EQ(SpectrumOf(channel), std::vector<float>(platform::kSpectrumSize, 0.0f));
    }
}

TEST_F(MediaEngineTest, PauseHoldsThePositionAndResumeGoesOn) {
    const std::string path = fixtures::MakeMp3(media, "a.mp3", 44100, 2, 3, "-b:a 128k");
    const ChannelHandle channel = PlayFor(engine.CreateStream(path, platform::kOpenLocalFile), 200);

    engine.SetPaused(channel, true);
    const int held = engine.PositionMs(channel);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(engine.PositionMs(channel), held);
    EXPECT_EQ(SpectrumOf(channel), std::vector<float>(platform::kSpectrumSize, 0.0f));

    engine.SetPaused(channel, false);
    EXPECT_TRUE(WaitFor([&] { return engine.PositionMs(channel) > held + 100; }, 5));
}

// A sine of full scale whose frequency sits exactly on band k, so the window holds whole periods.
TEST_F(MediaEngineTest, TheSpectrumShowsAFullScaleSineOnItsBandWhateverTheVolume) {
    constexpr int kBand = 40;
    const std::string sine = fixtures::MakeFloatWav(media, "sine.wav", 44100 * 3, [](int i) {
        return static_cast<float>(std::sin(2 * std::numbers::pi * kBand * i / 1024.0));
    });
    for (float volume : {0.2f, 1.0f, 2.55f}) {
        SCOPED_TRACE(volume);
        const SoundHandle sound = engine.CreateStream(sine, platform::kOpenLocalFile);
        const ChannelHandle channel = engine.PlaySound(sound, false);
        engine.SetVolume(channel, volume);
        ASSERT_TRUE(WaitFor([&] { return engine.PositionMs(channel) >= 100; }, 10));

        const std::vector<float> bands = SpectrumOf(channel);

        EXPECT_NEAR(bands[kBand], 1.0f, 0.01f);
        for (int band = 0; band < platform::kSpectrumSize; ++band) {
            EXPECT_LT(band == kBand ? 0.0f : bands[band], 0.01f) << "band " << band;
        }
    }
}

TEST_F(MediaEngineTest, SilenceGivesAnEmptySpectrum) {
    const std::string silence =
        fixtures::MakeFloatWav(media, "silence.wav", 44100 * 2, [](int) { return 0.0f; });
    const ChannelHandle channel =
        PlayFor(engine.CreateStream(silence, platform::kOpenLocalFile), 100);

    EXPECT_EQ(SpectrumOf(channel), std::vector<float>(platform::kSpectrumSize, 0.0f));
}

TEST_F(MediaEngineTest, CallsOnNoStoppedOrReleasedHandlesAreHarmless) {
    const std::string path = fixtures::MakeMp3(media, "a.mp3", 44100, 2, 2, "-b:a 128k");
    const SoundHandle stopped_sound = engine.CreateStream(path, platform::kOpenLocalFile);
    const ChannelHandle stopped = PlayFor(stopped_sound, 50);
    engine.Stop(stopped);
    const SoundHandle released_sound = engine.CreateStream(path, platform::kOpenLocalFile);
    engine.ReleaseSound(released_sound);
    const SoundHandle replaced_sound = engine.CreateStream(path, platform::kOpenLocalFile);
    const ChannelHandle replaced = PlayFor(replaced_sound, 50);
    const SoundHandle playing = engine.CreateStream(path, platform::kOpenLocalFile);
    const ChannelHandle current = PlayFor(playing, 50);

    struct Handles {
        const char* what;
        SoundHandle sound;
        ChannelHandle channel;
    };
    const Handles stale[] = {{"none", 0, 0},
                             {"stopped", stopped_sound, stopped},
                             {"released", released_sound, 0},
                             {"replaced on channel 0", replaced_sound, replaced},
                             {"made up", 0x7777u, 0x8888u}};
    for (const Handles& h : stale) {
        SCOPED_TRACE(h.what);
        EXPECT_EQ(engine.LengthMs(h.sound), 0);
        EXPECT_EQ(engine.PositionMs(h.channel), 0);
        EXPECT_EQ(SpectrumOf(h.channel), std::vector<float>(platform::kSpectrumSize, 0.0f));
        EXPECT_EQ(engine.StreamTitle(h.sound), "");
        engine.SetVolume(h.channel, 0.0f);
        engine.SetPaused(h.channel, true);
        engine.Stop(h.channel);
        EXPECT_EQ(engine.PlaySound(h.sound, false), 0u);
        engine.ReleaseSound(h.sound);
    }
    // The sound that plays was not touched by any of it.
    const int before = engine.PositionMs(current);
    EXPECT_TRUE(WaitFor([&] { return engine.PositionMs(current) > before + 50; }, 5));
    EXPECT_GT(engine.LengthMs(playing), 1900);
}

TEST_F(MediaEngineTest, AMissingFileOpensNothing) {
    EXPECT_EQ(engine.CreateStream(media.Path("missing.mp3"), platform::kOpenLocalFile), 0u);
    const std::string text = fixtures::MakeFloatWav(media, "x.wav", 1, [](int) { return 0.0f; });
    std::ofstream(text) << "not audio at all";
    EXPECT_EQ(engine.CreateStream(text, platform::kOpenLocalFile), 0u);
}

}  // namespace
