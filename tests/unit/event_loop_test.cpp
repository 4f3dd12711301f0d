#include <gtest/gtest.h>

#include <filesystem>

#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "visual/marquee.h"

namespace {

using namespace common;
using platform::Event;

// A running program: start-up done, the main window open at (100, 200).
class EventLoopTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        StartRunningAt(100, 200);
    }

    void OpenPlaylistWindow(int x, int y) {
        gui.OpenWindow(PlaylistWindow, x, y, kPlaylistWindowWidth, kPlaylistWindowHeight,
                       "Mp3_list");
    }
};

TEST_F(EventLoopTest, EachPassWaitsTwoMillisecondsAndTakesExactlyOneEvent) {
    gui.queue = {{ControlEvent, MainWindow, PlayButton},
                 {ControlEvent, MainWindow, StopButton},
                 {ControlEvent, MainWindow, PositionBar}};

    ASSERT_EQ(PassResult(), std::nullopt);

    EXPECT_EQ(gui.waits, 1);
    EXPECT_EQ(log.calls.front(), "gui.WaitWindowEvent 2");
    EXPECT_EQ(gui.queue.size(), 2u);
}

TEST_F(EventLoopTest, TheTailRunsOnEveryPassWithOrWithoutAnEvent) {
    gui.queue = {{ControlEvent, MainWindow, PositionBar}, {TimerEvent, MainWindow, ProbeTimer}};

    for (int pass = 1; pass <= 4; ++pass) {
        ASSERT_EQ(PassResult(), std::nullopt);
        EXPECT_EQ(visual::Marquee.MarqueeX, -2 * pass);
    }
    EXPECT_EQ(visual::Marquee.MarqueeText, "Vexa-Radio By Tarvi");
}

TEST_F(EventLoopTest, ARightPressInTheMainWindowEndsAtOnceWithoutSaving) {
    gui.queue = {{RightButtonPress, MainWindow, 0}};

    EXPECT_EQ(PassResult(), 0);

    EXPECT_TRUE(system.sleeps.empty());
    EXPECT_FALSE(gui.IsWindowOpen(MainWindow));
}

TEST_F(EventLoopTest, ACloseRequestPausesHalfASecondThenClosesTheWindowAndEnds) {
    gui.queue = {{CloseRequest, MainWindow, 0}};

    EXPECT_EQ(PassResult(), 0);

    const int pause = log.IndexOf("system.Sleep 500");
    ASSERT_GE(pause, 0);
    EXPECT_LT(pause, log.IndexOf("gui.CloseWindow 0"));
    EXPECT_LT(log.IndexOf("gui.CloseWindow 0"), log.IndexOf("system.Exit 0"));
}

TEST_F(EventLoopTest, OnlyTheOrderlyExitRewritesTheSettingsAndTheNextStartRestoresThem) {
    gui.SetControlState(StationCombo, 37);
    gui.queue = {{RightButtonPress, MainWindow, 0}};
    ASSERT_EQ(PassResult(), 0);
    EXPECT_EQ(std::filesystem::file_size("config.txt"), 0u);

    ASSERT_EQ(StartUpResult(), std::nullopt);
    gui.MoveWindow(MainWindow, 100, 200);
    gui.SetControlState(StationCombo, 37);
    gui.queue = {{CloseRequest, MainWindow, 0}};
    ASSERT_EQ(PassResult(), 0);
    EXPECT_EQ(std::filesystem::file_size("config.txt"), 22u);

    ASSERT_EQ(StartUpResult(), std::nullopt);
    EXPECT_EQ(gui.WindowPosition(MainWindow).x, 100);
    EXPECT_EQ(gui.WindowPosition(MainWindow).y, 200);
    EXPECT_EQ(gui.ControlState(StationCombo), 37);
}

TEST_F(EventLoopTest, ARightPressInThePlaylistWindowEndsInOrderOnTheNextPass) {
    OpenPlaylistWindow(100, 340);
    gui.queue = {{RightButtonPress, PlaylistWindow, 0}};

    ASSERT_EQ(PassResult(), std::nullopt);
    EXPECT_TRUE(system.sleeps.empty());
    ASSERT_EQ(gui.queue.size(), 1u);
    EXPECT_EQ(gui.queue.front().kind, CloseRequest);
    EXPECT_EQ(gui.queue.front().window, MainWindow);

    EXPECT_EQ(PassResult(), 0);
    EXPECT_EQ(system.sleeps, std::vector<int>{500});
}

TEST_F(EventLoopTest, EventsThatNoRuleTakesChangeNothing) {
    OpenPlaylistWindow(100, 340);
    const Event ignored[] = {
        {CloseRequest, PlaylistWindow, 0},  // the playlist window stays open
        {TimerEvent, MainWindow, 3},
        {ControlEvent, MainWindow, 10},
        {ControlEvent, MainWindow, PositionBar},
        {515, MainWindow, 0},  // a double click on the background
        {RightButtonPress, 7, 0},
        {ControlEvent, PlaylistWindow, PlayButton},
    };
    for (const Event& event : ignored) {
        SCOPED_TRACE(event.kind);
        gui.queue = {event};
        ASSERT_EQ(PassResult(), std::nullopt);
        EXPECT_TRUE(gui.IsWindowOpen(MainWindow));
        EXPECT_TRUE(gui.IsWindowOpen(PlaylistWindow));
        EXPECT_TRUE(gui.queue.empty());
    }
    EXPECT_TRUE(system.sleeps.empty());
    EXPECT_FALSE(log.Contains("gui.DragWindow 0"));
}

TEST_F(EventLoopTest, DraggingOneWindowBringsTheOtherAlongWhenTheButtonIsReleased) {
    struct Case {
        const char* what;
        bool playlist_open;
        int dragged;
        platform::Point released_at;
        platform::Point main_after;
        platform::Point playlist_after;
    };
    const Case cases[] = {
        {"main dragged, playlist follows below",
         true,
         MainWindow,
         {300, 50},
         {300, 50},
         {300, 190}},
        {"playlist dragged, main follows above",
         true,
         PlaylistWindow,
         {10, 500},
         {10, 360},
         {10, 500}},
        {"main dragged alone", false, MainWindow, {-20, 5}, {-20, 5}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gui.CloseWindow(PlaylistWindow);
        gui.MoveWindow(MainWindow, 100, 200);
        if (c.playlist_open) OpenPlaylistWindow(100, 340);
        gui.drag_targets = {{c.dragged, c.released_at}};
        gui.queue = {{LeftButtonPress, c.dragged, 0}};

        ASSERT_EQ(PassResult(), std::nullopt);

        EXPECT_EQ(gui.WindowPosition(MainWindow).x, c.main_after.x);
        EXPECT_EQ(gui.WindowPosition(MainWindow).y, c.main_after.y);
        EXPECT_EQ(gui.IsWindowOpen(PlaylistWindow), c.playlist_open);
        EXPECT_EQ(gui.WindowPosition(PlaylistWindow).x, c.playlist_after.x);
        EXPECT_EQ(gui.WindowPosition(PlaylistWindow).y, c.playlist_after.y);
    }
}

}  // namespace
