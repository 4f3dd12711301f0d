#include "visual/bars.h"

#include "common/ids.h"
#include "common/rounding.h"
#include "platform/platform.h"
#include "ui/skin_images.h"
#include "visual/screen.h"

namespace visual {
namespace {

constexpr int kBarWidth = 2;
constexpr int kBarHeight = 32;

}  // namespace

BarsState Bars;

// Zero state has both tables at full size, so that no bar ever reads outside them.
void ResetBars() { AllocateBarTables(); }

void AllocateBarTables() {
    Bars.BarTable.assign(kBarTableSize, Bar{});
    Bars.SpectrumBuffer.assign(kBarTableSize, 0.0f);
}

void CreateBarSprites() {
    platform::Surface& surface = platform::TheSurface();
    surface.Clear(common::kBlack);
    surface.Present();
    for (int i = kFirstBar; i <= kLastBar; i += kBarStep) {
        surface.CreateSprite(i, kBarWidth, kBarHeight);
        Bars.BarTable[i] = {i, kBarRestY};
        surface.DrawImageOnSprite(i, ui::ImageOf(common::SpectrumBarImage), 0, 0);
    }
}

// The raise grows with the bar's number as well as the value: high bands jump further.
int BarTop(int bar, float value) {
    return common::RoundHalfEven(kBarRestY - static_cast<double>(value) * 32 * bar);
}

void UpdateSpectrumBars() {
    if (Screen.ScreenOpen != 1) return;
    platform::Surface& surface = platform::TheSurface();
    for (int i = kFirstBar; i <= kLastBar; i += kBarStep) {
        Bar& bar = Bars.BarTable[i];
        bar.Y = BarTop(i, Bars.SpectrumBuffer[i]);
        surface.DisplaySprite(i, bar.X, bar.Y);
        bar.Y = kBarRestY;
    }
}

}  // namespace visual
