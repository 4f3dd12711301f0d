#include "fakes/program_fixture.h"

#include <cstdlib>
#include <string>

#include "app/event_loop.h"
#include "app/program_state.h"
#include "app/startup.h"
#include "common/ids.h"
#include "platform/platform.h"

namespace fakes {

void ProgramTest::SetUp() {
    previous_directory_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "vexa-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    std::filesystem::current_path(directory_);
    app::ResetProgramState();
    platform::Bind({&gui, &system, &surface, &audio, &mci});
}

void ProgramTest::TearDown() {
    platform::Bind({});
    app::ResetProgramState();
    std::filesystem::current_path(previous_directory_);
    std::filesystem::remove_all(directory_);
}

void ProgramTest::MakeSkinFolder() {
    std::filesystem::create_directory("Graph");
    const std::pair<const char*, common::Image> files[] = {
        {"skin.jpg", common::Image(300, 140, common::Rgb(40, 44, 52))},
        {"list.jpg", common::Image(20, 20, common::Rgb(90, 90, 90))},
        {"ajout.jpg", common::Image(20, 20, common::Rgb(90, 90, 90))},
        {"retire.jpg", common::Image(20, 20, common::Rgb(90, 90, 90))},
        {"play.jpg", common::Image(40, 25, common::Rgb(200, 200, 200))},
        {"record.jpg", common::Image(40, 25, common::Rgb(220, 40, 40))},
        {"pause.jpg", common::Image(40, 25, common::Rgb(200, 200, 200))},
        {"stop.jpg", common::Image(40, 25, common::Rgb(200, 200, 200))},
        {"oscillo.jpg", common::Image(2, 32, common::Rgb(255, 128, 0))},
        {"Coul_text.jpg", common::Image(8, 8, common::Rgb(80, 220, 255))},
    };
    for (const auto& [name, image] : files)
        system.image_files[std::string("Graph/") + name] = image;
}

void ProgramTest::StartRunningAt(int x, int y) {
    MakeSkinFolder();
    ASSERT_EQ(StartUpResult(), std::nullopt);
    gui.MoveWindow(common::MainWindow, x, y);
    log.calls.clear();
}

std::optional<int> ProgramTest::ExitCodeOf(void (*step)()) {
    try {
        step();
    } catch (const ProgramExited& exited) {
        return exited.code;
    }
    return std::nullopt;
}

std::optional<int> ProgramTest::StartUpResult() { return ExitCodeOf(app::StartUp); }

std::optional<int> ProgramTest::PassResult() { return ExitCodeOf(app::RunPass); }

}  // namespace fakes
