#include "ui/main_window.h"

#include "app/settings.h"
#include "audio/playback_controller.h"
#include "common/ids.h"
#include "common/rounding.h"
#include "platform/platform.h"
#include "ui/skin_images.h"
#include "visual/screen.h"

namespace ui {
namespace {

using namespace common;

constexpr Colour kSliderText = Rgb(17, 153, 2);
constexpr Colour kSliderBackground = Rgb(30, 55, 22);
constexpr int kProbePeriodMs = 2000;

void CreateTransportButtons() {
    platform::Gui& gui = platform::TheGui();
    gui.CreateImageButton(PlayButton, 15, 60, 40, 25, ImageOf(PlayImage));
    gui.CreateImageButton(PauseButton, 60, 60, 40, 25, ImageOf(PauseImage));
    gui.CreateImageButton(StopButton, 105, 60, 40, 25, ImageOf(StopImage));
    gui.CreateImageButton(RecordButton, 170, 60, 40, 25, ImageOf(RecordImage));
}

// Positions that depend on the window's size are read from the window itself.
void CreateSizedControls(int width, int height) {
    platform::Gui& gui = platform::TheGui();
    gui.CreateImageButton(PlaylistButton, width - 20, height - 20, 20, 20,
                          ImageOf(ListButtonImage));
    gui.CreateProgressBar(PositionBar, 5, 110, width - 25, 8, 0, 100);
    gui.HideControl(PositionBar, true);
    gui.CreateTrackBar(VolumeSlider, width - 15, 60, 8, 60, 0, 255);
    gui.SetControlColours(VolumeSlider, kSliderText, kSliderBackground);
    gui.SetControlState(VolumeSlider, RoundHalfEven(audio::Playback.Volume));
}

void CreateStationCombo() {
    platform::Gui& gui = platform::TheGui();
    gui.CreateComboBox(StationCombo, 5, 120, 275, 20);
    gui.SetControlColours(StationCombo, Skin.TextColour, kBlack);
}

void CreateControls() {
    platform::Gui& gui = platform::TheGui();
    CreateTransportButtons();
    CreateSizedControls(gui.WindowWidth(MainWindow), gui.WindowHeight(MainWindow));
    CreateStationCombo();
    // The skin is painted from pixel (1, 1) on, so the top row and left column show this black.
    gui.SetWindowColour(MainWindow, kBlack);
    gui.AddTimer(MainWindow, ProbeTimer, kProbePeriodMs);
}

}  // namespace

void OpenMainWindow() {
    const bool opened = platform::TheGui().OpenWindow(MainWindow, app::Settings.SavedWindowX,
                                                      app::Settings.SavedWindowY, kMainWindowWidth,
                                                      kMainWindowHeight, "Vexa Radio");
    if (opened) CreateControls();
    visual::OpenVisualScreen();
}

}  // namespace ui
