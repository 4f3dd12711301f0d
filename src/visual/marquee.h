#pragma once

#include <string>

namespace visual {

struct MarqueeState {
    std::string MarqueeText;
    int MarqueeX = 0;
    int MarqueeWidth = 0;
    int WrapPosition = 0;
    float WavePhase = 0.0f;
};
extern MarqueeState Marquee;

constexpr int kMarqueeWrapPosition = 290;
inline constexpr const char* kIdleText = "Vexa-Radio By Tarvi";
inline constexpr const char* kMarqueeFontFace = "Comic Sans MS";
constexpr int kMarqueeFontPoints = 12;

void ResetMarquee();
// Start-up: the font of the marquee, made once.
void LoadMarqueeFont();
// Runs on every pass, screen open or not: the idle text while nothing plays, the scroll, then
// the wavy drawing.
void MarqueeStep();
// Draws the text one character at a time from x + 10, each character raised or lowered on a
// sine wave that moves on by one step per call. Nothing, and no step, while the screen is closed.
void DrawWaveText(int x, int y, const std::string& text, int red, int green, int blue);

}  // namespace visual
