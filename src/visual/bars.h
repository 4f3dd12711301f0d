#pragma once

#include <vector>

namespace visual {

struct Bar {
    int X = 0;
    int Y = 0;
};

struct BarsState {
    std::vector<Bar> BarTable;
    std::vector<float> SpectrumBuffer;
};
extern BarsState Bars;

constexpr int kBarTableSize = 513;

void ResetBars();
// Start-up: both tables with their 513 entries at rest.
void AllocateBarTables();
// Shows the spectrum as bars on the visualisation screen; nothing while the screen is closed.
void UpdateSpectrumBars();

}  // namespace visual
