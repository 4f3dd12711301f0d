#include "app/window_drag.h"

#include "platform/platform.h"

namespace app {
namespace {

// The playlist window's top edge sits this far below the main window's: the main window's height.
constexpr int kFollowerOffset = common::kMainWindowHeight;

}  // namespace

void DragWithFollower(common::WindowId dragged) {
    const bool main_dragged = dragged == common::MainWindow;
    const common::WindowId follower = main_dragged ? common::PlaylistWindow : common::MainWindow;
    const int offset = main_dragged ? kFollowerOffset : -kFollowerOffset;
    platform::Gui& gui = platform::TheGui();
    gui.DragWindow(dragged);
    if (!gui.IsWindowOpen(follower)) return;
    const platform::Point corner = gui.WindowPosition(dragged);
    gui.MoveWindow(follower, corner.x, corner.y + offset);
}

}  // namespace app
