#include "visual/bars.h"

#include "visual/screen.h"

namespace visual {

BarsState Bars;

void ResetBars() { Bars = BarsState{}; }

void UpdateSpectrumBars() {
    if (Screen.ScreenOpen != 1) return;
}

void AllocateBarTables() {
    Bars.BarTable.assign(kBarTableSize, Bar{});
    Bars.SpectrumBuffer.assign(kBarTableSize, 0.0f);
}

}  // namespace visual
