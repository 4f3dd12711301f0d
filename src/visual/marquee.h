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

void ResetMarquee();
// Runs on every pass, screen open or not: the idle text while nothing plays, then the scroll.
void MarqueeStep();

}  // namespace visual
