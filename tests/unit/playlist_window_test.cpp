#include "ui/playlist_window.h"

#include <gtest/gtest.h>

#include "app/playlist.h"
#include "app/settings.h"
#include "audio/playback_controller.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/skin_images.h"

namespace {

using namespace common;

// A running program at (100, 200) with entries A, B, C, D.
class PlaylistWindowTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        StartRunningAt(100, 200);
        for (const char* name : {"D", "C", "B", "A"}) {
            app::Playlist.Reset();
            app::Playlist.Insert() = {name, std::string("/m/") + name + ".mp3"};
        }
    }
    void Click(int window, int control) {
        gui.queue.push_back({ControlEvent, window, control});
        ASSERT_EQ(PassResult(), std::nullopt);
    }
    void Toggle() { Click(MainWindow, PlaylistButton); }
    void Choose(std::vector<int> rows) {
        gui.controls[PlaylistView].selected = std::move(rows);
        Click(PlaylistWindow, PlaylistView);
    }
    std::vector<std::string> Items() { return gui.controls[PlaylistView].items; }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (const app::PlaylistEntry& e : app::Playlist.Entries()) names.push_back(e.Name);
        return names;
    }
    int Openings() {
        return static_cast<int>(std::count(log.calls.begin(), log.calls.end(), "gui.OpenWindow 1"));
    }
};

TEST_F(PlaylistWindowTest, TheFirstOpeningShapesOnceThenTheWindowToggles) {
    Toggle();
    EXPECT_EQ(Openings(), 2);  // the shaped instant, then the window that stays
    ASSERT_TRUE(gui.IsWindowOpen(PlaylistWindow));
    const fakes::FakeWindow& window = gui.windows[PlaylistWindow];
    EXPECT_EQ(window.x, 100);
    EXPECT_EQ(window.y, 340);
    EXPECT_EQ(window.width, 300);
    EXPECT_EQ(window.height, 180);
    EXPECT_EQ(window.title, "Mp3_list");
    EXPECT_TRUE(window.shape.kept.empty());
    EXPECT_TRUE(window.tool);
    EXPECT_EQ(ui::Skin.Images[SkinImage].height, 180);
    EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(gui.ControlState(PlaylistView), 0);
    EXPECT_EQ(gui.controls[PlaylistView].text, ui::Skin.TextColour);
    EXPECT_EQ(gui.controls[AddButton].x, 30);
    EXPECT_EQ(gui.controls[RemoveButton].x, 80);

    Toggle();
    EXPECT_FALSE(gui.IsWindowOpen(PlaylistWindow));
    Toggle();
    EXPECT_TRUE(gui.IsWindowOpen(PlaylistWindow));
    EXPECT_EQ(Openings(), 3);
}

TEST_F(PlaylistWindowTest, AStationThatStartsClosesTheWindowAndTheToggleKeepsItsValue) {
    Toggle();
    audio::Playback.FileMode = 0;
    Click(MainWindow, PlayButton);
    EXPECT_FALSE(gui.IsWindowOpen(PlaylistWindow));

    Toggle();
    EXPECT_FALSE(gui.IsWindowOpen(PlaylistWindow));
    Toggle();
    EXPECT_TRUE(gui.IsWindowOpen(PlaylistWindow));
}

TEST_F(PlaylistWindowTest, ChoosingItemsSetsTheIndexTheCursorAndFileMode) {
    Toggle();
    Choose({4, 2});
    EXPECT_EQ(app::PlaylistIndex, 2);
    EXPECT_EQ(app::Playlist.CurrentIndex(), 1);
    EXPECT_EQ(audio::Playback.FileMode, 1);

    system.chosen_files = {"/music/x.mp3"};
    Click(PlaylistWindow, AddButton);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "x.mp3", "C", "D"}));

    Choose({0});
    EXPECT_EQ(app::PlaylistIndex, 0);
    EXPECT_EQ(app::Playlist.CurrentIndex(), 4);  // the last, after the rebuild

    Choose({});
    EXPECT_EQ(app::PlaylistIndex, -1);
}

TEST_F(PlaylistWindowTest, RemoveDropsTheSelectedEntries) {
    const std::pair<std::vector<int>, std::vector<std::string>> cases[] = {
        {{0, 1}, {"C", "D"}}, {{0, 2}, {"B", "D"}}, {{}, {"A", "B", "C", "D"}}};
    Toggle();
    for (const auto& [rows, left] : cases) {
        app::Playlist = app::PlaylistModel{};
        for (const char* name : {"D", "C", "B", "A"}) {
            app::Playlist.Reset();
            app::Playlist.Insert() = {name, name};
        }
        ui::RebuildPlaylistView();
        gui.controls[PlaylistView].selected = rows;

        Click(PlaylistWindow, RemoveButton);

        EXPECT_EQ(Names(), left);
        EXPECT_EQ(Items(), left);
    }
}

TEST_F(PlaylistWindowTest, FilesChosenTogetherGoInInTheirOrderAndSetTheFolder) {
    Toggle();
    app::Playlist.SelectIndex(0);
    system.chosen_files = {"/music/jazz/1.mp3", "/music/jazz/2.mp3", "/music/jazz/3.mp3"};

    Click(PlaylistWindow, AddButton);

    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "1.mp3", "2.mp3", "3.mp3", "B", "C", "D"}));
    EXPECT_EQ(app::Playlist.Entries()[1].Path, "/music/jazz/1.mp3");
    EXPECT_EQ(app::Settings.LastMp3Folder, "/music/jazz/");
    EXPECT_TRUE(log.Contains("system.OpenFiles charger MP3 in /home/listener/"));

    system.chosen_files = {};
    Click(PlaylistWindow, AddButton);
    EXPECT_TRUE(log.Contains("system.OpenFiles charger MP3 in /music/jazz/"));
    EXPECT_EQ(app::Settings.LastMp3Folder, "");
    EXPECT_EQ(app::Playlist.Count(), 7);
}

TEST_F(PlaylistWindowTest, AnEntryCalledLikeTheMarkerIsShownOnceThenDroppedButNotOneInOtherCase) {
    app::Playlist.SelectIndex(3);
    app::Playlist.Insert() = {"Tarvi", "/m/Tarvi"};
    app::Playlist.Insert() = {"tarvi", "/m/tarvi"};
    app::Playlist.Insert() = {"", "/m/x.mp3"};

    Toggle();
    EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", "D", "Tarvi", "tarvi", ""}));

    gui.controls[PlaylistView].selected.clear();
    Click(PlaylistWindow, RemoveButton);  // nothing selected: a rebuild all the same
    EXPECT_EQ(Items(), (std::vector<std::string>{"A", "B", "C", "D", "tarvi", ""}));
}

TEST_F(PlaylistWindowTest, AddedFilesAndTheirFolderAreSavedAndComeBackAtTheNextStart) {
    Toggle();
    system.chosen_files = {"/music/new.mp3"};
    Click(PlaylistWindow, AddButton);
    gui.queue.push_back({CloseRequest, MainWindow, 0});
    ASSERT_EQ(PassResult(), 0);

    ASSERT_EQ(StartUpResult(), std::nullopt);

    EXPECT_EQ(app::Settings.LastMp3Folder, "/music/");
    // Listing the entries left the cursor on the last one: the file went after it.
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "C", "D", "new.mp3"}));
    EXPECT_EQ(app::Playlist.Entries()[4].Path, "/music/new.mp3");
}

TEST_F(PlaylistWindowTest, TheEndOfAFileSelectsTheNextItemInTheOpenWindow) {
    audio.lengths = {{"/m/A.mp3", 3000}, {"/m/B.mp3", 3000}};
    Toggle();
    Choose({0});
    Click(MainWindow, PlayButton);
    audio.position_ms = 3000;

    ASSERT_EQ(PassResult(), std::nullopt);

    EXPECT_EQ(gui.ControlState(PlaylistView), 1);
}

}  // namespace
