#pragma once

#include "common/colour.h"

namespace visual {

struct ScreenState {
    int ScreenOpen = 0;
    int FirstProbeDone = 0;
};
extern ScreenState Screen;

void ResetScreen();
// Brings the drawing layer up; false when the display cannot carry it.
bool InitialiseDrawingLayer();
// Opens the visualisation screen at (4, 4) of the main window, 290 × 50; on success ScreenOpen
// becomes 1 and the bar sprites are made afresh.
bool OpenVisualScreen();
// Each tick of the probe timer: closes the screen when the desktop shows exactly black just
// below it, reopens it when it shows anything else.
void ProbeTick();
// 1 when the desktop pixel at the window's corner plus (dx, dy) is exactly black, else 0. The
// first call makes the window the active one.
int ProbeDesktopPixel(int dx, int dy, int window);
// The colour shown at a desktop point; the invalid colour off the desktop.
common::Colour ReadDesktopPixel(int x, int y);
// Last step of every pass: shows the frame drawn in this pass, then clears it to black.
void PresentFrame();
// Closes the screen and gives back the drawing layer; part of the program's exit.
void ReleaseDrawingLayer();

}  // namespace visual
