#include "visual/screen.h"

#include "common/ids.h"
#include "platform/platform.h"
#include "visual/bars.h"

namespace visual {
namespace {

constexpr int kScreenX = 4;
constexpr int kScreenY = 4;
constexpr int kScreenWidth = 290;
constexpr int kScreenHeight = 50;
// Just below the screen: covered by another window with black there, the screen closes.
constexpr int kProbeX = 50;
constexpr int kProbeY = 58;

void CloseVisualScreen() {
    platform::TheSurface().CloseScreen();
    Screen.ScreenOpen = 0;
}

}  // namespace

ScreenState Screen;

void ResetScreen() { Screen = ScreenState{}; }

bool InitialiseDrawingLayer() { return platform::TheSurface().Initialise(); }

bool OpenVisualScreen() {
    if (!platform::TheSurface().OpenScreen(common::MainWindow, kScreenX, kScreenY, kScreenWidth,
                                           kScreenHeight))
        return false;
    Screen.ScreenOpen = 1;
    CreateBarSprites();
    return true;
}

void ProbeTick() {
    if (ProbeDesktopPixel(kProbeX, kProbeY, common::MainWindow) == 1) {
        if (Screen.ScreenOpen == 1) CloseVisualScreen();
    } else if (Screen.ScreenOpen == 0) {
        OpenVisualScreen();
    }
}

int ProbeDesktopPixel(int dx, int dy, int window) {
    const platform::Point corner = platform::TheGui().WindowPosition(window);
    if (Screen.FirstProbeDone == 0) {
        platform::TheGui().ActivateWindow(window);
        Screen.FirstProbeDone = 1;
    }
    // Only exact black counts: off the desktop the colour is invalid, which is not black.
    return ReadDesktopPixel(corner.x + dx, corner.y + dy) == common::kBlack ? 1 : 0;
}

common::Colour ReadDesktopPixel(int x, int y) { return platform::TheSystem().DesktopPixel(x, y); }

void PresentFrame() {
    if (Screen.ScreenOpen != 1) return;
    platform::TheSurface().Present();
    platform::TheSurface().Clear(common::kBlack);
}

void ReleaseDrawingLayer() {
    if (Screen.ScreenOpen == 1) CloseVisualScreen();
    platform::TheSurface().Release();
}

}  // namespace visual
