#include "app/event_loop.h"

#include <iterator>

#include "app/exit_program.h"
#include "app/window_drag.h"
#include "audio/playback_controller.h"
#include "audio/recorder.h"
#include "common/ids.h"
#include "platform/platform.h"
#include "ui/playlist_window.h"
#include "visual/marquee.h"
#include "visual/screen.h"

namespace app {
namespace {

using namespace common;

struct ControlRoute {
    ControlId control;
    void (*handler)();
};

// The position bar (6) is listed so that it is plainly routed nowhere.
constexpr ControlRoute kMainWindowRoutes[] = {
    {VolumeSlider, audio::OnVolumeChanged},  {PlaylistButton, ui::TogglePlaylistWindow},
    {StationCombo, audio::OnStationChanged}, {PlayButton, audio::OnPlayClicked},
    {PauseButton, audio::OnPauseClicked},    {StopButton, audio::OnStopClicked},
    {RecordButton, audio::OnRecordClicked},  {PositionBar, nullptr},
};

constexpr ControlRoute kPlaylistWindowRoutes[] = {
    {PlaylistView, ui::SelectPlaylistEntry},
    {AddButton, ui::AddPlaylistFiles},
    {RemoveButton, ui::RemovePlaylistEntries},
};

template <std::size_t N>
void RouteToControl(const ControlRoute (&routes)[N], int object) {
    for (const ControlRoute& route : routes) {
        if (route.control != object) continue;
        if (route.handler) route.handler();
        return;
    }
}

void ApplyMainWindowRules(const platform::Event& event) {
    switch (event.kind) {
        case TimerEvent:
            if (event.object == ProbeTimer) visual::ProbeTick();
            break;
        case LeftButtonPress:
            DragWithFollower(MainWindow);
            break;
        case RightButtonPress:
            ExitProgram();
        case ControlEvent:
            RouteToControl(kMainWindowRoutes, event.object);
            break;
        case CloseRequest:
            OrderlyExit();
        default:
            break;
    }
}

// The playlist window's own close request matches no control and is ignored: the window stays.
void ApplyPlaylistWindowRules(const platform::Event& event) {
    if (event.kind == LeftButtonPress) {
        DragWithFollower(PlaylistWindow);
    } else if (event.kind == RightButtonPress) {
        platform::TheGui().PostEvent({CloseRequest, MainWindow, 0});
    }
    RouteToControl(kPlaylistWindowRoutes, event.object);
}

}  // namespace

void DispatchEvent(const platform::Event& event) {
    if (event.window == MainWindow) {
        ApplyMainWindowRules(event);
    } else if (event.window == PlaylistWindow) {
        ApplyPlaylistWindowRules(event);
    }
}

void RunPerPassTail() {
    audio::PollPlayback();
    visual::MarqueeStep();
    visual::PresentFrame();
}

void RunPass() {
    DispatchEvent(platform::TheGui().WaitWindowEvent(kPassWaitMs));
    RunPerPassTail();
}

void RunEventLoop() {
    for (;;) RunPass();
}

}  // namespace app
