#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/settings.h"
#include "audio/recorder.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/skin_images.h"
#include "visual/bars.h"
#include "visual/marquee.h"
#include "visual/screen.h"

namespace {

namespace fs = std::filesystem;
using fakes::Message;

class StartUpTest : public fakes::ProgramTest {};

TEST_F(StartUpTest, WithoutSkinFolderShowsOneMessageAndEndsWithoutTouchingAnything) {
    struct Case {
        const char* what;
        void (*prepare)();
    };
    const Case cases[] = {
        {"no Graph at all", [] {}},
        {"Graph is a plain file", [] { std::ofstream("Graph") << "not a folder"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.calls.clear();
        system.messages.clear();
        c.prepare();

        EXPECT_EQ(StartUpResult(), 0);

        EXPECT_EQ(system.messages,
                  (std::vector<Message>{{"erreur", "il manque le dossier 'Graph' !"}}));
        EXPECT_FALSE(log.Contains("audio.CreateSystem"));
        EXPECT_FALSE(log.Contains("surface.Initialise"));
        EXPECT_FALSE(log.Contains("gui.OpenWindow 0"));
        EXPECT_FALSE(fs::exists("config.txt"));
        fs::remove("Graph");
    }
}

TEST_F(StartUpTest, WithoutDrawingLayerShowsItsMessageAndEndsBeforeAnyWindow) {
    MakeSkinFolder();
    surface.available = false;

    EXPECT_EQ(StartUpResult(), 0);

    EXPECT_EQ(
        system.messages,
        (std::vector<Message>{
            {"Erreur", "Impossible d'ouvrir l'écran & l'environnement nécessaire aux sprites !"}}));
    EXPECT_LT(log.IndexOf("surface.Initialise"),
              log.IndexOf("system.MessageBox Erreur: Impossible d'ouvrir l'écran & "
                          "l'environnement nécessaire aux sprites !"));
    EXPECT_FALSE(log.Contains("gui.OpenWindow 0"));
    EXPECT_FALSE(fs::exists("config.txt"));
}

TEST_F(StartUpTest, AMainWindowThatCannotOpenEndsTheProgramWithAMessage) {
    MakeSkinFolder();
    gui.open_fails = true;

    EXPECT_EQ(StartUpResult(), 0);

    EXPECT_EQ(system.messages,
              (std::vector<Message>{{"Erreur", "Impossible d'ouvrir la fenêtre principale !"}}));
}

TEST_F(StartUpTest, RunsThroughToTheLoopWithSharedStateSetUpAndTheWindowOpen) {
    MakeSkinFolder();

    EXPECT_EQ(StartUpResult(), std::nullopt);

    EXPECT_TRUE(system.messages.empty());
    // The engine comes before the drawing layer, the drawing layer before the window.
    EXPECT_LT(log.IndexOf("audio.CreateSystem"), log.IndexOf("audio.Init 32"));
    EXPECT_LT(log.IndexOf("audio.Init 32"), log.IndexOf("surface.Initialise"));
    EXPECT_LT(log.IndexOf("surface.Initialise"), log.IndexOf("gui.OpenWindow 0"));
    EXPECT_FALSE(log.Contains("gui.WaitWindowEvent 2"));
    EXPECT_EQ(ui::Skin.SkinFolder, "Graph/");
    EXPECT_EQ(audio::Recorder.MciReplyBuffer, std::string(256, ' '));
    EXPECT_EQ(visual::Marquee.WrapPosition, 290);
    // The font before the skin, the screen inside the opened window.
    EXPECT_LT(log.IndexOf("surface.LoadFont Comic Sans MS 12"),
              log.IndexOf("system.LoadImage Graph/skin.jpg"));
    EXPECT_LT(log.IndexOf("gui.OpenWindow 0"), log.IndexOf("surface.OpenScreen 0 4 4 290 50"));
    EXPECT_EQ(visual::Screen.ScreenOpen, 1);
    EXPECT_EQ(visual::Bars.BarTable.size(), 513u);
    EXPECT_EQ(visual::Bars.SpectrumBuffer.size(), 513u);
    ASSERT_TRUE(gui.IsWindowOpen(common::MainWindow));
    EXPECT_EQ(gui.windows[common::MainWindow].title, "Vexa Radio");
    // Shaped and painted from the skin last, once the window has everything.
    EXPECT_EQ(gui.windows[common::MainWindow].skin, &ui::Skin.Images[common::SkinImage]);
    EXPECT_EQ(gui.windows[common::MainWindow].shape.height, 140);
}

TEST_F(StartUpTest, AFirstRunCreatesAnEmptySettingsFileAndSelectsTheFirstStation) {
    MakeSkinFolder();

    ASSERT_EQ(StartUpResult(), std::nullopt);

    ASSERT_TRUE(fs::exists("config.txt"));
    EXPECT_EQ(fs::file_size("config.txt"), 0u);
    EXPECT_EQ(gui.windows[common::MainWindow].x, 0);
    EXPECT_EQ(gui.windows[common::MainWindow].y, 0);
    EXPECT_EQ(gui.controls[common::StationCombo].items.size(), 175u);
    EXPECT_EQ(gui.ControlState(common::StationCombo), 0);
    EXPECT_EQ(gui.ControlState(common::VolumeSlider), 0);
    EXPECT_TRUE(gui.queue.empty());
}

TEST_F(StartUpTest, StartingTwiceBeginsFromZeroState) {
    MakeSkinFolder();
    app::Settings.SavedWindowX = 77;
    visual::Marquee.MarqueeX = 13;

    ASSERT_EQ(StartUpResult(), std::nullopt);

    EXPECT_EQ(gui.windows[common::MainWindow].x, 0);
    EXPECT_EQ(visual::Marquee.MarqueeX, 0);
}

}  // namespace
