#include <gtest/gtest.h>

#include <chrono>

#include "media_fixtures.h"
#include "platform/media/media_engine.h"
#include "stream_server.h"

namespace {

using fixtures::WaitFor;
using platform::ChannelHandle;
using platform::SoundHandle;
using platform::media::MediaEngine;
using platform::media::OutputChoice;
using Clock = std::chrono::steady_clock;

class MediaStreamTest : public ::testing::Test {
 protected:
    fixtures::MediaFolder media;
    // A loop without encoder header frames, like a live mount.
    const std::string mp3 =
        fixtures::MakeMp3(media, "loop.mp3", 44100, 2, 2.0, "-b:a 128k -write_xing 0");
    fixtures::StreamServer server{media, mp3};
    MediaEngine engine{OutputChoice::kSilent};

    SoundHandle Open(const std::string& url) {
        return engine.CreateStream(url, platform::kOpenStationAddress);
    }
    bool Plays(ChannelHandle channel, int ms, double seconds = 10) {
        return WaitFor([&] { return engine.PositionMs(channel) >= ms; }, seconds);
    }
};

TEST_F(MediaStreamTest, AStationPlaysAndItsTitleReadsRightInEveryEncoding) {
    const std::pair<const char*, const char*> titles[] = {
        {"/latin1", "Café Olé"}, {"/utf8", "Ünïcödé ✓"}, {"/quote", "Rock';n roll"}};
    for (const auto& [path, title] : titles) {
        SCOPED_TRACE(path);
        const SoundHandle sound = Open(server.Url(path));
        ASSERT_NE(sound, 0u);
        EXPECT_EQ(engine.LengthMs(sound), 0);
        const ChannelHandle channel = engine.PlaySound(sound, false);

        EXPECT_TRUE(Plays(channel, 300));
        EXPECT_TRUE(WaitFor([&] { return engine.StreamTitle(sound) == title; }, 10))
            << "title read: " << engine.StreamTitle(sound);
    }
}

TEST_F(MediaStreamTest, ARedirectionIsFollowed) {
    const SoundHandle sound = Open(server.Url("/moved"));
    ASSERT_NE(sound, 0u);
    EXPECT_TRUE(Plays(engine.PlaySound(sound, false), 200));
    EXPECT_EQ(server.Opened("/utf8"), 1);
}

TEST_F(MediaStreamTest, StoppingAStationWhoseServerFellSilentDoesNotWaitForTheNetwork) {
    const ChannelHandle channel = engine.PlaySound(Open(server.Url("/hang")), false);
    ASSERT_TRUE(Plays(channel, 100));
    // Everything the server sent (2.5 s of audio) is decoded by now, with 2 s of room ahead:
    // the decoder waits on the connection.
    ASSERT_TRUE(WaitFor([&] { return engine.PositionMs(channel) >= 1500; }, 10));
    const auto asked = Clock::now();

    engine.Stop(channel);

    // Well within the network timeout of 5 s: the stop interrupts the wait.
    EXPECT_LT(Clock::now() - asked, std::chrono::seconds(3));
    EXPECT_TRUE(WaitFor([&] { return server.Closed("/hang") == 1; }, 5));
}

TEST_F(MediaStreamTest, AnHttpsStationWithAnUntrustedCertificateIsRefused) {
    fixtures::StreamServer untrusted{media, mp3, {.self_signed_tls = true}};
    EXPECT_EQ(Open(untrusted.Url("/stream")), 0u);
}

TEST_F(MediaStreamTest, PlaylistAddressesPlayTheirFirstEntry) {
    for (const char* playlist : {"/list.pls", "/list.m3u", "/tune"}) {
        SCOPED_TRACE(playlist);
        const int before = server.Opened("/latin1");
        const SoundHandle sound = Open(server.Url(playlist));
        ASSERT_NE(sound, 0u);

        EXPECT_TRUE(Plays(engine.PlaySound(sound, false), 200));
        EXPECT_EQ(server.Opened("/latin1"), before + 1);
    }
}

TEST_F(MediaStreamTest, ASecondStationOnTheChannelEndsTheFirstOnesConnection) {
    const ChannelHandle first = engine.PlaySound(Open(server.Url("/stream")), false);
    ASSERT_TRUE(Plays(first, 100));
    ASSERT_EQ(server.Closed("/stream"), 0);

    const ChannelHandle second = engine.PlaySound(Open(server.Url("/utf8")), false);

    EXPECT_TRUE(WaitFor([&] { return server.Closed("/stream") == 1; }, 5));
    EXPECT_TRUE(Plays(second, 100));
    EXPECT_EQ(engine.PositionMs(first), 0);
}

TEST_F(MediaStreamTest, AStationThatDropsAndComesBackPlaysOnByItself) {
    const ChannelHandle channel = engine.PlaySound(Open(server.Url("/drop")), false);

    // 40 KB is 2.5 s of audio; the server then refuses for 3 s before it serves again.
    ASSERT_TRUE(WaitFor([&] { return server.Opened("/drop") >= 2; }, 20));
    const int at_return = engine.PositionMs(channel);
    EXPECT_TRUE(Plays(channel, at_return + 1000));
}

TEST_F(MediaStreamTest, AServerThatNeverAnswersFailsTheOpenInAboutFiveSeconds) {
    fixtures::SilentPort silent;
    const auto started = Clock::now();

    const SoundHandle sound = Open("http://127.0.0.1:" + std::to_string(silent.port()) + "/");

    EXPECT_EQ(sound, 0u);
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(12));
    EXPECT_EQ(engine.PlaySound(sound, false), 0u);
    EXPECT_EQ(engine.StreamTitle(sound), "");
}

TEST_F(MediaStreamTest, TheCallerKeepsItsWindowsAliveWhileAStationOpens) {
    fixtures::SilentPort silent;
    int calls = 0;
    MediaEngine patient{OutputChoice::kSilent, [&calls] { ++calls; }};

    patient.CreateStream("http://127.0.0.1:" + std::to_string(silent.port()) + "/",
                         platform::kOpenStationAddress);

    // About every 10 ms for the whole wait of several seconds.
    EXPECT_GT(calls, 100);
}

TEST_F(MediaStreamTest, AnAddressWhereNobodyListensFailsTheOpen) {
    int free_port = 0;
    {
        fixtures::SilentPort closed_soon;
        free_port = closed_soon.port();
    }
    EXPECT_EQ(Open("http://127.0.0.1:" + std::to_string(free_port) + "/"), 0u);
    EXPECT_EQ(Open(server.Url("/missing")), 0u);
}

}  // namespace
