#include "app/station_directory.h"

#include <gtest/gtest.h>

#include <cctype>

#include "app/settings.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/main_window.h"

namespace {

using common::StationCombo;

class StationDirectoryTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ui::OpenMainWindow();
    }
    const std::vector<std::string>& Items() { return gui.controls[StationCombo].items; }
};

TEST_F(StationDirectoryTest, TheBuiltInDirectoryGivesOneItemPerLineWithNumberedStations) {
    app::FillStationDirectory();

    ASSERT_EQ(Items().size(), 175u);
    ASSERT_EQ(app::StationTable.size(), 175u);
    const std::pair<int, const char*> items[] = {
        {0, "1-Bfm"},
        {5, "- -----------------Bretagne----------------"},
        {6, "6-Bretagne  Hit West"},
        {7, "7-Bretagne Radio Bonheur (Côtes d'Armor) "},
        {38, "37- Radio FG "},
        {69, "- -----------------------------------------------"},
        {70, "- -----------------the islands----------------"},
        {85, "- -----------------------------------------------"},
        {86, "- -------------Bossa nova---------------------"},
        {174, "156-Enchanted Radio"},
    };
    for (const auto& [index, text] : items) EXPECT_EQ(Items()[index], text) << "item " << index;
    EXPECT_EQ(app::StationTable[5].Url, "");
    EXPECT_EQ(app::StationTable[38].Name, " Radio FG ");
    EXPECT_EQ(app::StationTable[0].Url, "http://audio.bfmtv.com/bfmbusiness_128.mp3");
    EXPECT_EQ(gui.ControlState(StationCombo), -1);
}

TEST_F(StationDirectoryTest, SeparatorsTakeNoNumberAndEveryStationHasAnAddress) {
    app::FillStationDirectory();

    int separators = 0;
    for (std::size_t i = 0; i < Items().size(); ++i) {
        const bool separator = Items()[i].starts_with('-');
        separators += separator;
        EXPECT_EQ(app::StationTable[i].Url.empty(), separator) << "entry " << i;
        EXPECT_NE(separator, std::isdigit(static_cast<unsigned char>(Items()[i][0])) != 0);
    }
    EXPECT_EQ(separators, 19);
}

TEST_F(StationDirectoryTest, LinesAreSplitAtTheCommaAndNothingAfterFinIsRead) {
    const char* const lines[] = {
        "no comma at all",
        " -not a station,http://a/",
        "Name ,http://x,extra",
        "  spaced  ,http://y",
        "fin",
        "never read,http://z",
    };

    app::FillStationDirectoryFrom(lines);

    EXPECT_EQ(Items(), (std::vector<std::string>{"1-no comma at all", "- -not a station", "2-Name ",
                                                 "3-  spaced  "}));
    ASSERT_EQ(app::StationTable.size(), 4u);
    EXPECT_EQ(app::StationTable[0].Url, "");
    EXPECT_EQ(app::StationTable[1].Url, "http://a/");
    EXPECT_EQ(app::StationTable[2].Url, "http://x");
}

TEST_F(StationDirectoryTest, TheStoredStationIsSelectedOnlyWhenItIsInTheDirectory) {
    app::FillStationDirectory();
    const std::pair<int, int> cases[] = {{0, 0},    {37, 37}, {174, 174},
                                         {175, -1}, {-1, -1}, {-2147483647 - 1, -1}};
    for (const auto& [stored, selected] : cases) {
        app::Settings.SavedStationIndex = stored;
        app::SelectSavedStation();
        EXPECT_EQ(gui.ControlState(StationCombo), selected) << "stored " << stored;
    }
    EXPECT_TRUE(gui.queue.empty());
}

}  // namespace
