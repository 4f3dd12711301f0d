#include "visual/marquee.h"

#include <cmath>

#include "audio/playback_controller.h"
#include "common/colour.h"
#include "common/rounding.h"
#include "common/text.h"
#include "platform/platform.h"
#include "ui/skin_images.h"
#include "visual/screen.h"

namespace visual {
namespace {

constexpr int kPixelsPerCharacter = 10;
constexpr int kScrollStep = 2;
constexpr int kBaseY = 5;
constexpr int kFirstOffset = 10;
// Single precision on purpose: the phase is a float, so the 100th step reaches the limit.
constexpr float kPhaseStep = 0.06283186f;
constexpr float kPhaseLimit = 6.2831855f;

void StepWavePhase() {
    Marquee.WavePhase = Marquee.WavePhase + kPhaseStep;
    if (Marquee.WavePhase >= kPhaseLimit) Marquee.WavePhase = 0.0f;
}

// The wave's height at a character: 25 pixels each way around 5 below the base line.
int WaveOffset(int offset) {
    return common::RoundHalfEven(
        std::sin(static_cast<double>(Marquee.WavePhase) + offset / 50.0) * 25 + 5);
}

}  // namespace

MarqueeState Marquee;

void ResetMarquee() { Marquee = MarqueeState{}; }

void LoadMarqueeFont() { platform::TheSurface().LoadFont(kMarqueeFontFace, kMarqueeFontPoints); }

void MarqueeStep() {
    if (audio::Playback.IsPlaying == 0) Marquee.MarqueeText = kIdleText;
    // An estimate from the character count; the real glyph widths are not used on purpose.
    Marquee.MarqueeWidth = common::CharacterCount(Marquee.MarqueeText) * kPixelsPerCharacter;
    Marquee.MarqueeX -= kScrollStep;
    if (Marquee.MarqueeX < -Marquee.MarqueeWidth) Marquee.MarqueeX = Marquee.WrapPosition;
    const common::Colour colour = ui::Skin.TextColour;
    DrawWaveText(Marquee.MarqueeX, kBaseY, Marquee.MarqueeText, common::Red(colour),
                 common::Green(colour), common::Blue(colour));
}

void DrawWaveText(int x, int y, const std::string& text, int red, int green, int blue) {
    if (Screen.ScreenOpen != 1) return;
    platform::Surface& surface = platform::TheSurface();
    if (!surface.BeginScreenDrawing()) return;
    const common::Colour colour = common::Rgb(red, green, blue);
    StepWavePhase();
    int offset = kFirstOffset;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = common::Utf8SequenceLength(text, at);
        const std::string character = text.substr(at, length);
        surface.DrawText(x + offset, y + WaveOffset(offset), character, colour);
        offset += surface.TextWidth(character);
        at += length;
    }
    surface.EndScreenDrawing();
}

}  // namespace visual
