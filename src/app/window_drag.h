#pragma once

#include "common/ids.h"

namespace app {

// Lets the user move the window with the mouse; once the button is released, the other window,
// when open, lands directly below the main window (or above the playlist window).
void DragWithFollower(common::WindowId dragged);

}  // namespace app
