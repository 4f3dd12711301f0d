#include "fakes/program_fixture.h"

#include <cstdlib>
#include <string>

#include "app/event_loop.h"
#include "app/program_state.h"
#include "app/startup.h"
#include "platform/platform.h"

namespace fakes {

void ProgramTest::SetUp() {
    previous_directory_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "vexa-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    std::filesystem::current_path(directory_);
    app::ResetProgramState();
    platform::Bind({&gui, &system, &surface, &audio});
}

void ProgramTest::TearDown() {
    platform::Bind({});
    app::ResetProgramState();
    std::filesystem::current_path(previous_directory_);
    std::filesystem::remove_all(directory_);
}

void ProgramTest::MakeSkinFolder() { std::filesystem::create_directory("Graph"); }

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
