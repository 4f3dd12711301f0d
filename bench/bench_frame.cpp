// Measures what one frame of the visualisation costs: the 128 bars, the wavy title and the
// present, with the real drawing layer on the display named by DISPLAY. Prints
// "name value" lines. Run from the repository root, where the default skin lives.
#include <time.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <random>

#include "app/program_state.h"
#include "audio/playback_controller.h"
#include "platform/platform.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_gui.h"
#include "platform/qt/qt_surface.h"
#include "platform/qt/qt_system.h"
#include "ui/main_window.h"
#include "ui/skin_images.h"
#include "visual/bars.h"
#include "visual/marquee.h"
#include "visual/screen.h"

namespace {

constexpr int kFrames = 600;

double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// A lively spectrum: every bar somewhere between rest and the top of the screen.
void FillSpectrum(std::mt19937& random) {
    std::uniform_real_distribution<float> share(0.0f, 1.0f);
    for (int bar = visual::kFirstBar; bar <= visual::kLastBar; bar += visual::kBarStep)
        visual::Bars.SpectrumBuffer[bar] = share(random) * 50.0f / (32.0f * bar);
}

}  // namespace

int main(int argc, char** argv) {
    platform::qt::PreferX11();
    auto application = platform::qt::CreateApplication(argc, argv);
    platform::qt::QtGui gui;
    platform::qt::QtSystem system;
    platform::qt::QtSurface surface(gui);
    platform::Bind({&gui, &system, &surface, nullptr});
    app::ResetProgramState();
    ui::Skin.SkinFolder = "Graph/";
    ui::LoadSkinImages();
    visual::LoadMarqueeFont();
    visual::Marquee.WrapPosition = visual::kMarqueeWrapPosition;
    ui::OpenMainWindow();
    if (visual::Screen.ScreenOpen != 1) {
        std::fprintf(stderr, "bench_frame: the screen did not open\n");
        return 1;
    }
    audio::Playback.IsPlaying = 1;
    visual::Marquee.MarqueeText = "++++++++Bide et musique++++++++";
    std::mt19937 random(7);
    const double cpu_start = CpuSeconds();
    const auto wall_start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < kFrames; ++frame) {
        FillSpectrum(random);
        visual::UpdateSpectrumBars();
        visual::MarqueeStep();
        visual::PresentFrame();
    }
    const double cpu = CpuSeconds() - cpu_start;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
    std::printf("frames %d\n", kFrames);
    std::printf("cpu_ms_per_frame %.4f\n", cpu * 1000.0 / kFrames);
    std::printf("frames_per_second %.1f\n", kFrames / wall);
    std::fflush(stdout);
    std::_Exit(0);
}
