#include "audio/playback_controller.h"

#include <gtest/gtest.h>

#include "app/playlist.h"
#include "app/station_directory.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/skin_images.h"
#include "visual/marquee.h"

namespace {

using namespace common;
using audio::Playback;
using visual::Marquee;

constexpr const char* kBfm = "http://audio.bfmtv.com/bfmbusiness_128.mp3";

// A running program with the built-in directory, "Bfm" (item 0) selected, and button images,
// so that pressed and rest images can be told apart.
class PlaybackTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        MakeSkinFolder();
        ASSERT_EQ(StartUpResult(), std::nullopt);
        for (ImageId id : {PlayImage, PlayPressedImage, PauseImage, PausePressedImage, StopImage,
                           StopPressedImage, RecordImage, RecordPressedImage})
            ui::Skin.Images[id] = Image(40, 25);
        audio.lengths = {{kBfm, 0}, {"/m/a.mp3", 5000}, {"/m/b.mp3", 7000}};
        log.calls.clear();
    }

    void Click(int control) {
        gui.queue.push_back({ControlEvent, MainWindow, control});
        ASSERT_EQ(PassResult(), std::nullopt);
    }
    void Select(int item) {
        gui.SetControlState(StationCombo, item);
        Click(StationCombo);
    }
    void SetSlider(int value) {
        gui.SetControlState(VolumeSlider, value);
        Click(VolumeSlider);
    }
    // Two files in the playlist, file mode, entry `index` chosen.
    void UseFiles(int index) {
        app::Playlist.Insert() = {"a.mp3", "/m/a.mp3"};
        app::Playlist.Insert() = {"b.mp3", "/m/b.mp3"};
        app::PlaylistIndex = index;
        Playback.FileMode = 1;
    }
    std::string Title() { return gui.windows[MainWindow].title; }
    bool BarHidden() { return gui.controls[PositionBar].hidden; }
    const Image* ImageOf(ImageId id) { return &ui::Skin.Images[id]; }
};

TEST_F(PlaybackTest, PlayingAStationOpensItsAddressAndShowsItsName) {
    gui.HideControl(PositionBar, false);
    gui.OpenWindow(PlaylistWindow, 0, 140, 300, 180, "Mp3_list");
    gui.OpenWindow(MainWindow, 0, 0, 300, 140, gui.windows[MainWindow].title);

    Click(PlayButton);

    EXPECT_TRUE(log.Contains(std::string("audio.CreateStream ") + kBfm + " 128"));
    EXPECT_TRUE(log.Contains("audio.PlaySound 1"));
    EXPECT_LT(log.IndexOf("audio.PlaySound 1"), log.IndexOf("audio.SetVolume 101"));
    EXPECT_EQ(Playback.IsPlaying, 1);
    EXPECT_EQ(Title(), "Bfm");
    EXPECT_EQ(Marquee.MarqueeText, "++++++++Bfm++++++++");
    EXPECT_TRUE(BarHidden());
    EXPECT_FALSE(gui.IsWindowOpen(PlaylistWindow));
    EXPECT_EQ(gui.image_changes,
              (std::vector<std::pair<int, const Image*>>{{PlayButton, ImageOf(PlayPressedImage)},
                                                         {PlayButton, ImageOf(PlayImage)}}));
}

TEST_F(PlaybackTest, TheAddressIsTrimmedAndLowerCasedAndTheNameTrimmed) {
    app::StationTable[0] = {" Radio FG ", " HTTP://Example.COM:8000/Live.MP3?Key=A "};
    audio.lengths["http://example.com:8000/live.mp3?key=a"] = 0;

    Click(PlayButton);

    EXPECT_TRUE(log.Contains("audio.CreateStream http://example.com:8000/live.mp3?key=a 128"));
    EXPECT_EQ(Title(), "Radio FG");
    EXPECT_EQ(Marquee.MarqueeText, "++++++++Radio FG++++++++");
}

TEST_F(PlaybackTest, PlayDuringPlayOpensASecondSoundWithoutStoppingTheFirst) {
    Click(PlayButton);
    Click(PlayButton);

    EXPECT_TRUE(log.Contains("audio.PlaySound 2"));
    EXPECT_FALSE(log.Contains("audio.Stop 101"));
    EXPECT_EQ(Playback.CurrentChannel, 102u);
}

TEST_F(PlaybackTest, AStationThatDoesNotOpenStillCountsAsPlaying) {
    audio.lengths.clear();

    Click(PlayButton);

    EXPECT_EQ(Playback.IsPlaying, 1);
    EXPECT_EQ(Playback.CurrentSound, 0u);
    EXPECT_EQ(Title(), "Bfm");
    EXPECT_EQ(Marquee.MarqueeText, "++++++++Bfm++++++++");
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(PlaybackTest, PlayWithoutASelectedStationOpensNothing) {
    gui.SetControlState(StationCombo, -1);

    Click(PlayButton);

    EXPECT_FALSE(log.Contains("audio.CreateStream"));
    EXPECT_EQ(Playback.IsPlaying, 1);
    EXPECT_EQ(Marquee.MarqueeText, "");
    EXPECT_EQ(Title(), "Vexa Radio");
}

TEST_F(PlaybackTest, ChoosingASeparatorSelectsTheItemBelowItOnce) {
    const std::pair<int, int> cases[] = {{5, 6}, {69, 70}, {0, 0}, {174, 174}};
    for (const auto& [chosen, selected] : cases) {
        Playback.FileMode = 1;
        Select(chosen);
        EXPECT_EQ(gui.ControlState(StationCombo), selected) << "chosen " << chosen;
        EXPECT_EQ(Playback.FileMode, 0);
    }
    EXPECT_TRUE(gui.queue.empty());
}

TEST_F(PlaybackTest, TheVolumeIsTheSliderValueOverAHundred) {
    const std::pair<int, float> cases[] = {{0, 0.0f}, {100, 1.0f}, {255, 2.55f}};
    for (const auto& [slider, gain] : cases) {
        SetSlider(slider);
        EXPECT_EQ(Playback.Volume, static_cast<float>(slider));
        EXPECT_FLOAT_EQ(audio.volume, gain);
    }
    // The volume applied at play is the slider's at that moment.
    gui.SetControlState(VolumeSlider, 50);
    Click(PlayButton);
    EXPECT_FLOAT_EQ(audio.volume, 0.5f);
}

TEST_F(PlaybackTest, PauseTogglesAndTheResumeShowsTheSelectedStationEvenInFileMode) {
    UseFiles(0);
    Click(PlayButton);
    Click(PauseButton);
    EXPECT_EQ(Playback.IsPaused, 1);
    EXPECT_EQ(Playback.IsPlaying, 0);
    EXPECT_TRUE(audio.paused);
    EXPECT_EQ(Marquee.MarqueeText, "Vexa-Radio By Tarvi");  // the idle text, after the tail

    Click(PauseButton);

    EXPECT_EQ(Playback.IsPaused, 0);
    EXPECT_EQ(Playback.IsPlaying, 1);
    EXPECT_FALSE(audio.paused);
    EXPECT_EQ(Marquee.MarqueeText, "++++++++Bfm++++++++");
    EXPECT_EQ(system.sleeps, (std::vector<int>{500, 500}));
}

TEST_F(PlaybackTest, PauseBeforeAnyPlayGoesToTheEmptyChannel) {
    Click(PauseButton);

    EXPECT_TRUE(log.Contains("audio.SetPaused 0 1"));
    EXPECT_EQ(Playback.IsPaused, 1);
}

TEST_F(PlaybackTest, PlayWhilePausedPlaysUnpausedAndLeavesThePauseFlag) {
    Click(PauseButton);
    Click(PlayButton);

    EXPECT_TRUE(log.Contains("audio.PlaySound 1"));
    EXPECT_FALSE(log.Contains("audio.PlaySound 1 paused"));
    EXPECT_EQ(Playback.IsPaused, 1);
    Click(PauseButton);
    EXPECT_EQ(Playback.IsPaused, 0);
}

TEST_F(PlaybackTest, StopEndsPlaybackButKeepsModePauseAndTitle) {
    UseFiles(0);
    Click(PlayButton);
    Playback.IsPaused = 1;
    gui.image_changes.clear();

    Click(StopButton);

    EXPECT_TRUE(log.Contains("audio.Stop 101"));
    EXPECT_EQ(Playback.IsPlaying, 0);
    EXPECT_EQ(Playback.PositionMs, 0);
    EXPECT_TRUE(BarHidden());
    EXPECT_EQ(Playback.FileMode, 1);
    EXPECT_EQ(Playback.IsPaused, 1);
    EXPECT_EQ(Title(), "a.mp3");
    EXPECT_EQ(system.sleeps, std::vector<int>{500});
    EXPECT_EQ(gui.image_changes,
              (std::vector<std::pair<int, const Image*>>{{StopButton, ImageOf(StopPressedImage)},
                                                         {RecordButton, ImageOf(RecordImage)},
                                                         {StopButton, ImageOf(StopImage)}}));
}

TEST_F(PlaybackTest, PlayingAFileShowsItsNameLengthAndPosition) {
    UseFiles(1);

    Click(PlayButton);

    EXPECT_TRUE(log.Contains("audio.CreateStream /m/b.mp3 64"));
    EXPECT_EQ(Playback.TrackLengthMs, 7000);
    EXPECT_EQ(gui.controls[PositionBar].maximum, 7000);
    EXPECT_FALSE(BarHidden());
    EXPECT_EQ(Title(), "b.mp3");
    EXPECT_EQ(Marquee.MarqueeText, "++++++++b.mp3++++++++");
    EXPECT_EQ(app::Playlist.CurrentIndex(), 1);

    audio.position_ms = 1234;
    ASSERT_EQ(PassResult(), std::nullopt);
    EXPECT_EQ(Playback.PositionMs, 1234);
    EXPECT_EQ(gui.ControlState(PositionBar), 1234);
    EXPECT_TRUE(log.Contains("audio.Spectrum 101"));
}

TEST_F(PlaybackTest, FileModeWithoutAnythingToPlayOpensNothing) {
    struct Case {
        const char* what;
        void (*prepare)();
    };
    const Case cases[] = {
        {"an empty playlist", [] {}},
        {"an index before the list",
         [] {
             app::Playlist.Insert() = {"a.mp3", "/m/a.mp3"};
             app::PlaylistIndex = -1;
         }},
        {"an index past the list",
         [] {
             app::Playlist.Insert() = {"a.mp3", "/m/a.mp3"};
             app::PlaylistIndex = 1;
         }},
        {"an empty path and no earlier file",
         [] {
             app::Playlist.Insert() = {"x", ""};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        app::Playlist = app::PlaylistModel{};
        app::PlaylistIndex = 0;
        c.prepare();
        Playback.FileMode = 1;
        log.calls.clear();

        Click(PlayButton);

        EXPECT_FALSE(log.Contains("audio.CreateStream /m/a.mp3 64"));
        EXPECT_EQ(Playback.IsPlaying, 1);
        EXPECT_EQ(Marquee.MarqueeText, "");
    }
}

TEST_F(PlaybackTest, AnEntryWithAnEmptyPathPlaysTheLastFileAgain) {
    UseFiles(0);
    Click(PlayButton);
    app::Playlist.Insert() = {"no path", ""};  // after the current entry, a.mp3
    app::PlaylistIndex = 1;
    log.calls.clear();

    Click(PlayButton);

    EXPECT_TRUE(log.Contains("audio.CreateStream /m/a.mp3 64"));
}

TEST_F(PlaybackTest, AtTheEndOfAFileTheNextOneStartsOnALaterPass) {
    UseFiles(0);
    Click(PlayButton);
    audio.position_ms = 5000;
    log.calls.clear();

    ASSERT_EQ(PassResult(), std::nullopt);  // the end is seen

    EXPECT_TRUE(log.Contains("audio.Stop 101"));
    EXPECT_EQ(Playback.PositionMs, 0);
    EXPECT_EQ(gui.ControlState(PositionBar), 0);
    EXPECT_EQ(app::PlaylistIndex, 1);
    EXPECT_FALSE(log.Contains("audio.CreateStream /m/b.mp3 64"));
    ASSERT_EQ(gui.queue.size(), 1u);
    EXPECT_EQ(gui.queue.front(), (platform::Event{ControlEvent, MainWindow, PlayButton}));

    audio.position_ms = 0;
    ASSERT_EQ(PassResult(), std::nullopt);  // the queued click

    EXPECT_TRUE(log.Contains("audio.CreateStream /m/b.mp3 64"));
    EXPECT_EQ(Title(), "b.mp3");
}

TEST_F(PlaybackTest, AtTheEndOfTheLastFilePlaybackStops) {
    UseFiles(1);
    Click(PlayButton);
    audio.position_ms = 7000;

    ASSERT_EQ(PassResult(), std::nullopt);

    EXPECT_EQ(Playback.IsPlaying, 0);
    EXPECT_EQ(app::PlaylistIndex, 1);
    EXPECT_TRUE(gui.queue.empty());
    EXPECT_EQ(gui.ControlState(PositionBar), 0);
    EXPECT_EQ(Marquee.MarqueeText, "Vexa-Radio By Tarvi");
    EXPECT_EQ(Title(), "b.mp3");
}

}  // namespace
