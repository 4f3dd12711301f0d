#include "audio/recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/playlist.h"
#include "audio/playback_controller.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/skin_images.h"
#include "visual/marquee.h"

namespace {

namespace fs = std::filesystem;
using namespace common;
using fakes::Message;

const std::vector<std::string> kStartSequence = {
    "mci open new type waveaudio alias recsound",
    "mci set recsound time format ms",
    "mci set recsound alignment 4 bitspersample 16 samplespersec 44100 channels 2 bytespersec "
    "176400",
    "mci record recsound",
};

std::tm December9At7_5_3() {
    std::tm when{};
    when.tm_year = 2024 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 9;
    when.tm_hour = 7;
    when.tm_min = 5;
    when.tm_sec = 3;
    return when;
}

// A running program whose clock reads 9 December 2024, 07:05:03, station 24 ("Fip") chosen.
class RecorderTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        MakeSkinFolder();
        ASSERT_EQ(StartUpResult(), std::nullopt);
        system.local_time = December9At7_5_3();
        gui.SetControlState(StationCombo, 25);
        log.calls.clear();
    }
    void Click(int control) {
        gui.queue.push_back({ControlEvent, MainWindow, control});
        ASSERT_EQ(PassResult(), std::nullopt);
    }
    std::vector<std::string> MciCommands() {
        std::vector<std::string> commands;
        for (const std::string& call : log.calls)
            if (call.starts_with("mci ")) commands.push_back(call);
        return commands;
    }
};

TEST_F(RecorderTest, RecordSendsTheStartSequenceAndKeepsThePressedLook) {
    ASSERT_EQ(gui.ItemText(StationCombo, 25), "24-Fip");
    audio::Playback.IsPlaying = 1;

    Click(RecordButton);

    EXPECT_EQ(MciCommands(), kStartSequence);
    EXPECT_TRUE(log.Contains("audio.SetOutput 0"));
    EXPECT_EQ(audio::Recorder.IsRecording, 1);
    EXPECT_EQ(visual::Marquee.MarqueeText, "++++++++RECORD !!++++++++");
    EXPECT_EQ(gui.controls[RecordButton].image, &ui::Skin.Images[RecordPressedImage]);
    EXPECT_EQ(audio::Recorder.MciReplyBuffer.size(), 256u);
}

TEST_F(RecorderTest, RecordingAgainSendsTheSequenceAgainToTheDeviceAlreadyOpen) {
    Click(RecordButton);
    Click(RecordButton);

    std::vector<std::string> twice = kStartSequence;
    twice.insert(twice.end(), kStartSequence.begin(), kStartSequence.end());
    EXPECT_EQ(MciCommands(), twice);
    EXPECT_TRUE(mci.open);
}

TEST(RecordingNameTest, TheSourceAndTheLocalTimeWithoutLeadingZeros) {
    std::tm late = December9At7_5_3();
    late.tm_mday = 31;
    late.tm_hour = 23;
    late.tm_min = 59;
    late.tm_sec = 0;
    EXPECT_EQ(audio::MakeRecordingName("Fip", December9At7_5_3()), "Fip(9-12-2024)7-5-3.wav");
    EXPECT_EQ(audio::MakeRecordingName("song.mp3", December9At7_5_3()),
              "song.mp3(9-12-2024)7-5-3.wav");
    EXPECT_EQ(audio::MakeRecordingName("", late), "(31-12-2024)23-59-0.wav");
}

TEST_F(RecorderTest, StopSavesTheRecordingAndNamesItAfterWhatPlaysThen) {
    struct Case {
        const char* what;
        void (*prepare)(fakes::FakeGui&);
        const char* file;
    };
    const Case cases[] = {
        {"the selected station, chosen during the recording",
         [](fakes::FakeGui& g) { g.SetControlState(StationCombo, 16); }, "Rmc(9-12-2024)7-5-3.wav"},
        {"the current playlist file",
         [](fakes::FakeGui&) {
             app::Playlist.Insert() = {"song.mp3", "/music/song.mp3"};
             audio::Playback.FileMode = 1;
         },
         "song.mp3(9-12-2024)7-5-3.wav"},
        {"an entry without a path",
         [](fakes::FakeGui&) {
             app::Playlist.Insert() = {"x", ""};
             audio::Playback.FileMode = 1;
         },
         "(9-12-2024)7-5-3.wav"},
        {"no selected station", [](fakes::FakeGui& g) { g.SetControlState(StationCombo, -1); },
         "(9-12-2024)7-5-3.wav"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& file : fs::directory_iterator(".")) {
            if (file.path().extension() == ".wav") fs::remove(file.path());
        }
        audio::Playback.FileMode = 0;
        gui.SetControlState(StationCombo, 25);
        Click(RecordButton);
        c.prepare(gui);
        log.calls.clear();

        Click(StopButton);

        EXPECT_EQ(MciCommands(),
                  (std::vector<std::string>{"mci save recsound Record.wav", "mci close recsound"}));
        EXPECT_TRUE(fs::exists(c.file));
        EXPECT_FALSE(fs::exists("Record.wav"));
        EXPECT_EQ(audio::Recorder.IsRecording, 0);
        EXPECT_EQ(gui.controls[RecordButton].image, &ui::Skin.Images[RecordImage]);
        EXPECT_LT(log.IndexOf("mci close recsound"), log.IndexOf("system.Sleep 500"));
    }
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(RecorderTest, ASecondRecordingInTheSameSecondKeepsRecordWavAndSaysSo) {
    Click(RecordButton);
    Click(StopButton);
    std::ofstream("Fip(9-12-2024)7-5-3.wav", std::ios::app) << " first";
    Click(RecordButton);
    Click(StopButton);

    EXPECT_EQ(system.messages,
              (std::vector<Message>{{"erreur", "pas pu renommer le fichier Record.wav"}}));
    EXPECT_TRUE(fs::exists("Record.wav"));
    std::ifstream first("Fip(9-12-2024)7-5-3.wav");
    std::string content((std::istreambuf_iterator<char>(first)), {});
    EXPECT_EQ(content, "RIFF recording first");
}

TEST_F(RecorderTest, StopWhileIdleSendsNothing) {
    Click(StopButton);
    EXPECT_TRUE(MciCommands().empty());
}

TEST_F(RecorderTest, EndingTheProgramWhileRecordingSavesAndNamesTheRecording) {
    const platform::Event ways_out[] = {{RightButtonPress, MainWindow, 0},
                                        {CloseRequest, MainWindow, 0}};
    for (const platform::Event& way_out : ways_out) {
        SCOPED_TRACE(way_out.kind);
        fs::remove("Fip(9-12-2024)7-5-3.wav");
        ASSERT_EQ(StartUpResult(), std::nullopt);
        gui.SetControlState(StationCombo, 25);
        Click(RecordButton);
        gui.queue.push_back(way_out);

        EXPECT_EQ(PassResult(), 0);

        EXPECT_TRUE(fs::exists("Fip(9-12-2024)7-5-3.wav"));
        EXPECT_FALSE(mci.open);
    }
}

}  // namespace
