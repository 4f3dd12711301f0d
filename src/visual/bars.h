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
// The bars are numbered 1, 5, 9, ... 509: each number is the bar's sprite, its x position and
// the spectrum band it shows.
constexpr int kFirstBar = 1;
constexpr int kBarStep = 4;
constexpr int kLastBar = 509;
constexpr int kBarRestY = 50;

void ResetBars();
// Start-up: both tables with their 513 entries at rest.
void AllocateBarTables();
// After each opening of the screen: a black first frame, then the 128 bar sprites made from the
// skin's bar image and every bar at rest.
void CreateBarSprites();
// Shows the spectrum as bars on the back buffer; nothing while the screen is closed.
void UpdateSpectrumBars();
// Where bar i's top edge goes for a spectrum value: 50 - 32 * i * value, rounded half to even.
int BarTop(int bar, float value);

}  // namespace visual
