#pragma once

namespace visual {

struct ScreenState {
    int ScreenOpen = 0;
    int FirstProbeDone = 0;
};
extern ScreenState Screen;

void ResetScreen();
// Brings the drawing layer up; false when the display cannot carry it.
bool InitialiseDrawingLayer();
// Opens the visualisation screen inside the main window; sets ScreenOpen on success.
bool OpenVisualScreen();
// Each tick of the probe timer: closes the screen over black, reopens it otherwise.
void ProbeTick();
// Last step of every pass: shows the frame drawn in this pass, then clears it.
void PresentFrame();
// Closes the screen and gives back the drawing layer; part of the program's exit.
void ReleaseDrawingLayer();

}  // namespace visual
