#include "visual/screen.h"

#include "platform/platform.h"

namespace visual {

ScreenState Screen;

void ResetScreen() { Screen = ScreenState{}; }

bool InitialiseDrawingLayer() { return platform::TheSurface().Initialise(); }

bool OpenVisualScreen() { return false; }

void ProbeTick() {}

void PresentFrame() {}

void ReleaseDrawingLayer() {
    Screen.ScreenOpen = 0;
    platform::TheSurface().Release();
}

}  // namespace visual
