#include "app/exit_program.h"

#include <cstdlib>

#include "app/settings.h"
#include "common/ids.h"
#include "platform/platform.h"
#include "visual/screen.h"

namespace app {
namespace {

constexpr int kCloseDelayMs = 500;

}  // namespace

void ExitProgram() {
    visual::ReleaseDrawingLayer();
    platform::TheGui().CloseWindow(common::PlaylistWindow);
    platform::TheGui().CloseWindow(common::MainWindow);
    platform::TheSystem().Exit(0);
    // Exit never returns; this only tells the compiler so.
    std::_Exit(0);
}

void OrderlyExit() {
    SaveSettings();
    platform::TheSystem().Sleep(kCloseDelayMs);
    platform::TheGui().CloseWindow(common::MainWindow);
    ExitProgram();
}

}  // namespace app
