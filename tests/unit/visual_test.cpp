#include <gtest/gtest.h>

#include <cmath>

#include "audio/playback_controller.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "platform/system.h"
#include "ui/skin_images.h"
#include "visual/bars.h"
#include "visual/marquee.h"
#include "visual/screen.h"

namespace {

using namespace common;
using visual::Marquee;
using visual::Screen;

// A running program whose main window sits at (100, 200): the probe reads desktop (150, 258).
class VisualTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        StartRunningAt(100, 200);
    }
    void Tick() {
        gui.queue.push_back({TimerEvent, MainWindow, ProbeTimer});
        ASSERT_EQ(PassResult(), std::nullopt);
    }
    void ProbeReads(Colour colour) { system.desktop[{150, 258}] = colour; }
    void Passes(int count) {
        for (int i = 0; i < count; ++i) ASSERT_EQ(PassResult(), std::nullopt);
    }
};

TEST_F(VisualTest, TheIdleTextRunsFromWhereItIsAndWrapsStrictlyBelowItsWidth) {
    Marquee.MarqueeX = 0;
    std::vector<int> positions;
    for (int pass = 0; pass < 96 + 241; ++pass) {
        ASSERT_EQ(PassResult(), std::nullopt);
        positions.push_back(Marquee.MarqueeX);
    }
    EXPECT_EQ(positions[0], -2);
    EXPECT_EQ(positions[94], -190);  // equal to minus the width: stays
    EXPECT_EQ(positions[95], 290);   // the 96th pass wraps
    EXPECT_EQ(positions[96], 288);
    EXPECT_EQ(positions[95 + 240], -190);
    EXPECT_EQ(positions[95 + 241], 290);  // a cycle of 241 passes
    EXPECT_EQ(Marquee.MarqueeWidth, 190);
}

TEST_F(VisualTest, AnEmptyTextWrapsAtOnceAndAGivenTextIsKeptWhilePlaying) {
    audio::Playback.IsPlaying = 1;
    Marquee.MarqueeText = "";
    Marquee.MarqueeX = 0;
    Passes(1);
    EXPECT_EQ(Marquee.MarqueeX, 290);
    Passes(145);
    EXPECT_EQ(Marquee.MarqueeX, 0);
    Passes(1);
    EXPECT_EQ(Marquee.MarqueeX, 290);
    EXPECT_EQ(Marquee.MarqueeText, "");

    audio::Playback.IsPlaying = 0;
    Marquee.MarqueeText = "++++++++Fip++++++++";
    Passes(1);
    EXPECT_EQ(Marquee.MarqueeText, "Vexa-Radio By Tarvi");
}

TEST_F(VisualTest, TheWaveAdvancesOneStepPerDrawnFrameAndTheHundredthStepStartsAgain) {
    std::vector<float> phases;
    for (int frame = 0; frame < 101; ++frame) {
        ASSERT_EQ(PassResult(), std::nullopt);
        phases.push_back(Marquee.WavePhase);
    }
    EXPECT_FLOAT_EQ(phases[0], 0.06283186f);
    EXPECT_GT(phases[98], 6.2f);
    EXPECT_EQ(phases[99], 0.0f);
    EXPECT_EQ(phases[100], 0.06283186f);
}

TEST_F(VisualTest, EachCharacterRidesTheWaveWhereTheMeasuredWidthsPutIt) {
    surface.widths = {{"A", 12}, {"é", 9}};
    surface.character_width = 7;
    ui::Skin.TextColour = Rgb(10, 200, 250);
    Marquee.WavePhase = 1.0f - 0.06283186f;  // the step of this frame brings it to 1.0

    visual::DrawWaveText(-30, 5, "Aé b", 10, 200, 250);

    auto dy = [](int offset) {
        return static_cast<int>(std::nearbyint(std::sin(1.0 + offset / 50.0) * 25 + 5));
    };
    const std::vector<fakes::FakeSurface::Text> expected = {
        {-20, 5 + dy(10), "A", Rgb(10, 200, 250)},
        {-8, 5 + dy(22), "é", Rgb(10, 200, 250)},
        {1, 5 + dy(31), " ", Rgb(10, 200, 250)},
        {8, 5 + dy(38), "b", Rgb(10, 200, 250)},
    };
    EXPECT_EQ(surface.texts, expected);
    EXPECT_EQ(dy(10), 28);  // sin(1.2) * 25 + 5 = 28.3
}

TEST_F(VisualTest, WhileTheScreenIsClosedTheTextMovesButNeitherDrawsNorWaves) {
    ProbeReads(kBlack);
    Tick();
    ASSERT_EQ(Screen.ScreenOpen, 0);
    const float phase = Marquee.WavePhase;
    const int x = Marquee.MarqueeX;

    Passes(10);

    EXPECT_EQ(Marquee.MarqueeX, x - 20);
    EXPECT_EQ(Marquee.WavePhase, phase);
    EXPECT_FALSE(log.Contains("surface.Present"));
}

TEST(BarTopTest, TheRaiseGrowsWithTheBarNumberAndRoundsHalfToEven) {
    struct Case {
        int bar;
        float value;
        int top;
    };
    const Case cases[] = {
        {1, 0.0f, 50},      {1, 1.0f, 18},     {1, 0.015625f, 50},
        {1, 0.046875f, 48}, {289, 0.01f, -42}, {5, -0.5f, 130},
        {509, 0.0f, 50},    {9, 0.1f, 21},     {509, 1e30f, -2147483647 - 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(visual::BarTop(c.bar, c.value), c.top) << "bar " << c.bar << " value " << c.value;
}

TEST_F(VisualTest, BarsAreShownFromTheSpectrumAndComeBackToRest) {
    visual::Bars.SpectrumBuffer[1] = 1.0f;
    visual::Bars.SpectrumBuffer[5] = 0.1f;

    visual::UpdateSpectrumBars();

    ASSERT_EQ(surface.displayed.size(), 128u);
    EXPECT_EQ(surface.displayed[0], (fakes::FakeSurface::Placed{1, 1, 18}));
    EXPECT_EQ(surface.displayed[1], (fakes::FakeSurface::Placed{5, 5, 34}));
    EXPECT_EQ(surface.displayed[127], (fakes::FakeSurface::Placed{509, 509, 50}));
    for (int i = 1; i <= 509; i += 4) EXPECT_EQ(visual::Bars.BarTable[i].Y, 50);

    surface.displayed.clear();
    Screen.ScreenOpen = 0;
    visual::UpdateSpectrumBars();
    EXPECT_TRUE(surface.displayed.empty());
}

TEST_F(VisualTest, OpeningTheScreenShowsBlackThenMakesTheBarsFromTheSkinImage) {
    ASSERT_EQ(surface.sprites.size(), 128u);
    for (const auto& [number, sprite] : surface.sprites) {
        EXPECT_EQ((number - 1) % 4, 0);
        EXPECT_EQ(sprite.width, 2);
        EXPECT_EQ(sprite.height, 32);
        EXPECT_EQ(sprite.image, &ui::Skin.Images[SpectrumBarImage]);
        EXPECT_EQ(visual::Bars.BarTable[number].X, number);
    }
    EXPECT_EQ(visual::Bars.BarTable[2].X, 0);
}

TEST_F(VisualTest, TheProbeClosesTheScreenOverBlackAndReopensItOverAnythingElse) {
    struct Step {
        const char* what;
        Colour probe;
        bool fails_to_open;
        int open_after;
    };
    const Step steps[] = {
        {"very dark red is not black", Rgb(1, 0, 0), false, 1},
        {"black closes", kBlack, false, 0},
        {"black again changes nothing", kBlack, false, 0},
        {"a failed opening leaves it closed", Rgb(90, 90, 90), true, 0},
        {"the next tick tries again", Rgb(90, 90, 90), false, 1},
        {"black closes again", kBlack, false, 0},
        {"off the desktop counts as not black", platform::kInvalidColour, false, 1},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        ProbeReads(step.probe);
        surface.open_fails = step.fails_to_open;
        surface.sprites.clear();
        const bool was_open = Screen.ScreenOpen == 1;

        Tick();

        EXPECT_EQ(Screen.ScreenOpen, step.open_after);
        EXPECT_EQ(surface.screen_open, step.open_after == 1);
        const bool reopened = !was_open && step.open_after == 1;
        EXPECT_EQ(surface.sprites.size(), reopened ? 128u : 0u);
    }
    EXPECT_EQ(
        log.calls.end() - std::remove(log.calls.begin(), log.calls.end(), "gui.ActivateWindow 0"),
        1);
}

TEST_F(VisualTest, EveryPassPresentsThenClearsWhileTheScreenIsOpen) {
    Passes(1);
    EXPECT_LT(log.IndexOf("surface.Present"), log.IndexOf("surface.Clear 0"));
    EXPECT_EQ(surface.presents, 2);  // the black first frame, then this pass's
}

}  // namespace
