#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/call_log.h"
#include "fakes/fake_audio_engine.h"
#include "fakes/fake_gui.h"
#include "fakes/fake_mci.h"
#include "fakes/fake_surface.h"
#include "fakes/fake_system.h"

namespace fakes {

// Each test runs in a fresh, empty working directory with the fakes bound and every piece of
// program state back at zero.
class ProgramTest : public ::testing::Test {
 protected:
    void SetUp() override;
    void TearDown() override;

    // A "Graph" folder in the working directory, as the program expects next to it, holding a
    // complete skin: the ten files load (through the fake system) with sizes a skin would have.
    void MakeSkinFolder();
    // A running program: a complete skin, start-up done, the main window moved to (x, y) and
    // the call log emptied.
    void StartRunningAt(int x, int y);
    // Runs the step; returns the exit code when the step ended the program.
    std::optional<int> ExitCodeOf(void (*step)());
    // Runs start-up; returns the exit code when the program ended instead of reaching the loop.
    std::optional<int> StartUpResult();
    // Runs one pass; returns the exit code when the pass ended the program.
    std::optional<int> PassResult();

    CallLog log;
    FakeGui gui{log};
    FakeSystem system{log};
    FakeSurface surface{log};
    FakeAudioEngine audio{log};
    FakeMci mci{log};

 private:
    std::filesystem::path previous_directory_;
    std::filesystem::path directory_;
};

}  // namespace fakes
