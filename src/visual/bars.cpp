#include "visual/bars.h"

namespace visual {

BarsState Bars;

void ResetBars() { Bars = BarsState{}; }

void AllocateBarTables() {
    Bars.BarTable.assign(kBarTableSize, Bar{});
    Bars.SpectrumBuffer.assign(kBarTableSize, 0.0f);
}

}  // namespace visual
