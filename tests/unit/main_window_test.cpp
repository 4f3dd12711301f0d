#include "ui/main_window.h"

#include <gtest/gtest.h>

#include "app/settings.h"
#include "audio/playback_controller.h"
#include "common/colour.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/skin_images.h"

namespace {

using namespace common;
using fakes::ControlKind;

class MainWindowTest : public fakes::ProgramTest {};

TEST_F(MainWindowTest, OpensBorderlessWindowAtTheStoredPositionWithBlackBackgroundAndProbeTimer) {
    app::Settings.SavedWindowX = -40;  // applied as stored, even off screen
    app::Settings.SavedWindowY = 2000;

    ui::OpenMainWindow();

    ASSERT_TRUE(gui.IsWindowOpen(MainWindow));
    const fakes::FakeWindow& window = gui.windows[MainWindow];
    EXPECT_EQ(window.x, -40);
    EXPECT_EQ(window.y, 2000);
    EXPECT_EQ(window.width, 300);
    EXPECT_EQ(window.height, 140);
    EXPECT_EQ(window.title, "Vexa Radio");
    EXPECT_TRUE(window.has_colour);
    EXPECT_EQ(window.colour, kBlack);
    ASSERT_EQ(gui.timers.size(), 1u);
    EXPECT_EQ(gui.timers[0].window, MainWindow);
    EXPECT_EQ(gui.timers[0].timer, ProbeTimer);
    EXPECT_EQ(gui.timers[0].period_ms, 2000);
}

TEST_F(MainWindowTest, CreatesEveryControlAtItsPlaceInsideTheMainWindow) {
    struct Expected {
        int control;
        ControlKind kind;
        int x, y, width, height;
    };
    const Expected expected[] = {
        {PlayButton, ControlKind::ImageButton, 15, 60, 40, 25},
        {PauseButton, ControlKind::ImageButton, 60, 60, 40, 25},
        {StopButton, ControlKind::ImageButton, 105, 60, 40, 25},
        {RecordButton, ControlKind::ImageButton, 170, 60, 40, 25},
        {PlaylistButton, ControlKind::ImageButton, 280, 120, 20, 20},
        {PositionBar, ControlKind::ProgressBar, 5, 110, 275, 8},
        {VolumeSlider, ControlKind::TrackBar, 285, 60, 8, 60},
        {StationCombo, ControlKind::ComboBox, 5, 120, 275, 20},
    };

    ui::OpenMainWindow();

    EXPECT_EQ(gui.controls.size(), std::size(expected));
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.control);
        ASSERT_TRUE(gui.controls.count(e.control));
        const fakes::FakeControl& control = gui.controls[e.control];
        EXPECT_EQ(control.kind, e.kind);
        EXPECT_EQ(control.window, MainWindow);
        EXPECT_EQ(control.x, e.x);
        EXPECT_EQ(control.y, e.y);
        EXPECT_EQ(control.width, e.width);
        EXPECT_EQ(control.height, e.height);
    }
}

TEST_F(MainWindowTest, GivesControlsTheirRangesStatesAndColours) {
    ui::Skin.TextColour = Rgb(200, 180, 20);

    ui::OpenMainWindow();

    const fakes::FakeControl& bar = gui.controls[PositionBar];
    EXPECT_EQ(bar.minimum, 0);
    EXPECT_EQ(bar.maximum, 100);
    EXPECT_EQ(bar.state, 0);
    EXPECT_TRUE(bar.hidden);
    const fakes::FakeControl& slider = gui.controls[VolumeSlider];
    EXPECT_EQ(slider.minimum, 0);
    EXPECT_EQ(slider.maximum, 255);
    EXPECT_EQ(slider.text, Rgb(17, 153, 2));
    EXPECT_EQ(slider.background, Rgb(30, 55, 22));
    const fakes::FakeControl& combo = gui.controls[StationCombo];
    EXPECT_EQ(combo.state, -1);
    EXPECT_TRUE(combo.has_colours);
    EXPECT_EQ(combo.text, Rgb(200, 180, 20));
    EXPECT_EQ(combo.background, kBlack);
}

TEST_F(MainWindowTest, SliderStandsAtTheStoredVolumeRoundedHalfToEven) {
    const std::pair<float, int> cases[] = {{0.0f, 0},     {200.0f, 200}, {255.0f, 255},
                                           {126.5f, 126}, {127.5f, 128}, {99.7f, 100}};
    for (const auto& [volume, expected] : cases) {
        SCOPED_TRACE(volume);
        gui.windows.clear();
        gui.controls.clear();
        audio::Playback.Volume = volume;

        ui::OpenMainWindow();

        EXPECT_EQ(gui.ControlState(VolumeSlider), expected);
    }
}

TEST_F(MainWindowTest, ButtonsShowTheirSkinImagesOrNothingWhenAnImageIsMissing) {
    ui::Skin.Images[PlayImage] = Image(50, 30);
    ui::Skin.Images[ListButtonImage] = Image(20, 20);

    ui::OpenMainWindow();

    EXPECT_EQ(gui.controls[PlayButton].image, &ui::Skin.Images[PlayImage]);
    EXPECT_EQ(gui.controls[PlaylistButton].image, &ui::Skin.Images[ListButtonImage]);
    EXPECT_EQ(gui.controls[PauseButton].image, nullptr);
    EXPECT_EQ(gui.controls[StopButton].image, nullptr);
    EXPECT_EQ(gui.controls[RecordButton].image, nullptr);
}

TEST_F(MainWindowTest, AWindowThatFailsToOpenGetsNoControlsColourOrTimer) {
    gui.open_fails = true;

    ui::OpenMainWindow();

    EXPECT_TRUE(gui.controls.empty());
    EXPECT_TRUE(gui.timers.empty());
}

}  // namespace
