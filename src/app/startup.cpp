#include "app/startup.h"

#include <filesystem>
#include <system_error>

#include "app/event_loop.h"
#include "app/exit_program.h"
#include "app/playlist.h"
#include "app/program_state.h"
#include "app/settings.h"
#include "app/station_directory.h"
#include "audio/engine_binding.h"
#include "audio/playback_controller.h"
#include "audio/recorder.h"
#include "common/messages.h"
#include "platform/platform.h"
#include "ui/main_window.h"
#include "ui/skin_images.h"
#include "ui/window_shape.h"
#include "visual/bars.h"
#include "visual/marquee.h"
#include "visual/screen.h"

namespace app {
namespace {

constexpr const char* kSkinFolderName = "Graph";
constexpr int kMciReplyLength = 256;

void RequireSkinFolder() {
    std::error_code error;
    if (std::filesystem::is_directory(kSkinFolderName, error)) return;
    common::ShowError(common::kErrorTitleLower, common::kMissingSkinFolderText);
    ExitProgram();
}

void RequireDrawingLayer() {
    if (visual::InitialiseDrawingLayer()) return;
    common::ShowError(common::kErrorTitle, common::kNoDrawingLayerText);
    ExitProgram();
}

// A program without its window could only be ended from outside: say so and end instead.
void RequireMainWindow() {
    if (platform::TheGui().IsWindowOpen(common::MainWindow)) return;
    common::ShowError(common::kErrorTitle, common::kNoMainWindowText);
    ExitProgram();
}

void SetUpSharedState() {
    visual::Marquee.WrapPosition = visual::kMarqueeWrapPosition;
    visual::Screen.ScreenOpen = 0;
    Playlist = PlaylistModel{};
    StationTable.clear();
    visual::AllocateBarTables();
    visual::LoadMarqueeFont();
    audio::Recorder.IsRecording = 0;
    audio::Playback.IsPlaying = 0;
}

}  // namespace

void StartUp() {
    ResetProgramState();
    RequireSkinFolder();
    ui::Skin.SkinFolder = std::string(kSkinFolderName) + "/";
    audio::Recorder.MciReplyBuffer.assign(kMciReplyLength, ' ');
    audio::BindAudioEngine();
    RequireDrawingLayer();
    SetUpSharedState();
    ui::LoadSkinImages();
    LoadSettings();
    ui::OpenMainWindow();
    RequireMainWindow();
    FillStationDirectory();
    SelectSavedStation();
    ui::ShapeWindow(common::MainWindow, common::SkinImage, common::kWhite);
}

void Run() {
    StartUp();
    RunEventLoop();
}

}  // namespace app
