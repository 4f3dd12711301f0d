#include "app/exit_program.h"

#include <cstdlib>

#include "app/settings.h"
#include "audio/recorder.h"
#include "common/ids.h"
#include "platform/platform.h"
#include "visual/screen.h"

namespace app {
namespace {

constexpr int kCloseDelayMs = 500;

// A recording still running is saved and named as Stop would do it: ending the program must not
// lose it.
void FinishRecording() {
    if (audio::Recorder.IsRecording != 1) return;
    audio::StopRecording(audio::kRecordingFile);
    audio::Recorder.IsRecording = 0;
}

}  // namespace

void ExitProgram() {
    FinishRecording();
    visual::ReleaseDrawingLayer();
    platform::TheGui().CloseWindow(common::PlaylistWindow);
    platform::TheGui().CloseWindow(common::MainWindow);
    platform::TheSystem().Exit(0);
    // Exit never returns; this only tells the compiler so.
    std::_Exit(0);
}

// The recording is named while the window still tells which station is chosen.
void OrderlyExit() {
    SaveSettings();
    FinishRecording();
    platform::TheSystem().Sleep(kCloseDelayMs);
    platform::TheGui().CloseWindow(common::MainWindow);
    ExitProgram();
}

}  // namespace app
