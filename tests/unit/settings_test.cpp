#include "app/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "app/playlist.h"
#include "app/program_state.h"
#include "audio/playback_controller.h"
#include "common/ids.h"
#include "fakes/program_fixture.h"
#include "ui/main_window.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using common::MainWindow;
using common::StationCombo;

std::string FileBytes() {
    std::ifstream in(app::kSettingsFileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::string& bytes) {
    std::ofstream(app::kSettingsFileName, std::ios::binary) << bytes;
}

std::string Number(std::uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

class SettingsTest : public fakes::ProgramTest {
 protected:
    void SetUp() override {
        ProgramTest::SetUp();
        ui::OpenMainWindow();
        gui.controls[StationCombo].state = -1;
    }

    // The example of a station, a position, a folder, one entry and a volume.
    void UseExampleState() {
        gui.controls[StationCombo].state = 3;
        gui.MoveWindow(MainWindow, 100, 200);
        app::Settings.LastMp3Folder = "C:\\Music\\";
        app::PlaylistEntry& entry = app::Playlist.Insert();
        entry.Name = "a.mp3";
        entry.Path = "C:\\Music\\a.mp3";
        audio::Playback.Volume = 128.0f;
    }

    void ForgetState() { app::ResetProgramState(); }

    const std::string kExample = Number(3) + Number(100) + Number(200) + "C:\\Music\\\r\n" +
                                 Number(1) + "a.mp3\r\nC:\\Music\\a.mp3\r\n" + Number(128);
};

TEST_F(SettingsTest, ASaveWritesTheFieldsByteForByte) {
    UseExampleState();

    app::SaveSettings();

    EXPECT_EQ(FileBytes().size(), 54u);
    EXPECT_EQ(FileBytes(), kExample);
}

TEST_F(SettingsTest, ASaveOverALongerFileKeepsItsTailAndTheNextStartReadsTheSameValues) {
    WriteFile(std::string(80, 'x'));
    UseExampleState();

    app::SaveSettings();
    ASSERT_EQ(FileBytes(), kExample + std::string(26, 'x'));
    ForgetState();
    app::LoadSettings();

    EXPECT_EQ(app::Settings.SavedStationIndex, 3);
    EXPECT_EQ(app::Settings.SavedWindowX, 100);
    EXPECT_EQ(app::Settings.SavedWindowY, 200);
    EXPECT_EQ(app::Settings.LastMp3Folder, "C:\\Music\\");
    ASSERT_EQ(app::Playlist.Count(), 1);
    EXPECT_EQ(app::Playlist.Entries()[0].Name, "a.mp3");
    EXPECT_EQ(app::Playlist.Entries()[0].Path, "C:\\Music\\a.mp3");
    EXPECT_EQ(app::Playlist.Current(), &app::Playlist.Entries()[0]);
    EXPECT_EQ(audio::Playback.Volume, 128.0f);
}

TEST_F(SettingsTest, NoSelectionAndNamelessEntriesAreSavedAsTheReaderExpects) {
    gui.MoveWindow(MainWindow, -10, 5);
    app::Settings.LastMp3Folder = "/music/";
    app::Playlist.Insert() = {"", "/music/lost.mp3"};
    app::Playlist.Insert() = {"b.mp3", "/music/b.mp3"};
    audio::Playback.Volume = 255.0f;

    app::SaveSettings();

    EXPECT_EQ(FileBytes(), "\xFF\xFF\xFF\xFF" + Number(-10) + Number(5) + "/music/\r\n" +
                               Number(1) + "b.mp3\r\n/music/b.mp3\r\n" + Number(255));
    EXPECT_EQ(FileBytes().size(), 20u + (7 + 2) + (5 + 12 + 4));
}

TEST_F(SettingsTest, TheReaderFollowsItsRulesOnOddFiles) {
    struct Case {
        const char* what;
        std::string bytes;
        int station;
        std::string folder;
        std::vector<std::pair<std::string, std::string>> entries;
        float volume;
    };
    const std::string head = Number(7) + Number(1) + Number(2);
    const Case cases[] = {
        {"an empty file reads as zeros", "", 0, "", {}, 0.0f},
        {"a number cut short reads its missing bytes as 0", "\x05\x01", 261, "", {}, 0.0f},
        {"a negative count reads no entry and the volume right after it",
         head + "f\r\n" + Number(-3) + Number(42),
         7,
         "f",
         {},
         42.0f},
        {"CR, LF and NUL each end a text; CR LF is one terminator",
         head + "f\n" + Number(2) + "a\rA\0b\r\nB\r\n"s + Number(9),
         7,
         "f",
         {{"a", "A"}, {"b", "B"}},
         9.0f},
        {"after a lone CR the next byte starts the next text",
         head + "f\r\n" + Number(2) + "a\rb\r\nc\r\nd\r\n" + Number(9),
         7,
         "f",
         {{"a", "b"}, {"c", "d"}},
         9.0f},
        {"a count beyond the file creates only the entries present",
         head + "\r\n" + Number(2000000000) + "a\r\nA\r\n",
         7,
         "",
         {{"a", "A"}},
         0.0f},
        {"bytes 13, 10 and 0 inside numbers do no harm",
         Number(0x0D0A000D) + Number(10) + Number(0) + "\r\n" + Number(0) + Number(13),
         0x0D0A000D,
         "",
         {},
         13.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ForgetState();
        WriteFile(c.bytes);

        app::LoadSettings();

        EXPECT_EQ(app::Settings.SavedStationIndex, c.station);
        EXPECT_EQ(app::Settings.LastMp3Folder, c.folder);
        std::vector<std::pair<std::string, std::string>> entries;
        for (const app::PlaylistEntry& e : app::Playlist.Entries())
            entries.push_back({e.Name, e.Path});
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(audio::Playback.Volume, c.volume);
    }
}

TEST_F(SettingsTest, AFirstRunCreatesAnEmptyFileAndReadsZeros) {
    app::LoadSettings();

    ASSERT_TRUE(fs::exists(app::kSettingsFileName));
    EXPECT_EQ(fs::file_size(app::kSettingsFileName), 0u);
    EXPECT_EQ(app::Settings.SavedWindowX, 0);
    EXPECT_EQ(app::Playlist.Count(), 0);
}

constexpr fs::perms kOpenFolder = fs::perms::owner_all | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read |
                                  fs::perms::others_exec;

// As root, permission bits do not stop a write: the body then runs as an unprivileged user.
void AsUnprivilegedUser(const std::function<void()>& body) {
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(seteuid(65534), 0);
    }
    body();
    if (root) {
        ASSERT_EQ(seteuid(0), 0);
    }
}

TEST_F(SettingsTest, AFileThatCannotBeOpenedIsNeitherReadNorWrittenNorCreated) {
    struct Case {
        const char* what;
        void (*prepare)(const std::string& stored);
        void (*undo)();
    };
    const Case cases[] = {
        {"a read-only config.txt",
         [](const std::string& stored) {
             WriteFile(stored);
             fs::permissions(app::kSettingsFileName, fs::perms::owner_read | fs::perms::group_read |
                                                         fs::perms::others_read);
         },
         [] { fs::remove(app::kSettingsFileName); }},
        {"a read-only folder",
         [](const std::string&) {
             fs::permissions(".", fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec);
         },
         [] { fs::permissions(".", kOpenFolder); }},
        {"a folder named config.txt",
         [](const std::string&) { fs::create_directory(app::kSettingsFileName); },
         [] { fs::remove(app::kSettingsFileName); }},
    };
    // Open to everyone, so that only what each case changes stands in the way.
    fs::permissions(".", kOpenFolder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ForgetState();
        ui::OpenMainWindow();
        c.prepare(kExample);
        const bool existed = fs::is_regular_file(app::kSettingsFileName);

        AsUnprivilegedUser([&] {
            app::LoadSettings();
            EXPECT_EQ(app::Settings.SavedStationIndex, 0);
            EXPECT_EQ(app::Playlist.Count(), 0);
            UseExampleState();
            gui.MoveWindow(MainWindow, 1, 1);
            app::SaveSettings();
        });

        EXPECT_EQ(fs::is_regular_file(app::kSettingsFileName), existed);
        if (existed) {
            EXPECT_EQ(FileBytes(), kExample);
        }
        EXPECT_TRUE(system.messages.empty());
        c.undo();
    }
}

// Random files, heavy in the bytes the reader treats specially, never crash it, never make it
// read past the file, and never create more entries than the file has bytes.
TEST_F(SettingsTest, RandomFilesAreReadSafely) {
    std::mt19937 random(20261211);
    const char alphabet[] = {'\r', '\n', '\0', 'a', '\xFF', '\x01', '\x7F'};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 96, '\0');
        for (char& byte : bytes) byte = alphabet[random() % sizeof alphabet];
        ForgetState();
        WriteFile(bytes);

        app::LoadSettings();

        ASSERT_LE(app::Playlist.Count(), static_cast<int>(bytes.size()));
        ASSERT_LE(app::Settings.LastMp3Folder.size(), bytes.size());
        ASSERT_EQ(FileBytes(), bytes);
    }
}

}  // namespace
