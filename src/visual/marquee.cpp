#include "visual/marquee.h"

#include "audio/playback_controller.h"
#include "common/text.h"

namespace visual {
namespace {

constexpr int kPixelsPerCharacter = 10;
constexpr int kScrollStep = 2;

}  // namespace

MarqueeState Marquee;

void ResetMarquee() { Marquee = MarqueeState{}; }

void MarqueeStep() {
    if (audio::Playback.IsPlaying == 0) Marquee.MarqueeText = kIdleText;
    // An estimate from the character count; the real glyph widths are not used on purpose.
    Marquee.MarqueeWidth = common::CharacterCount(Marquee.MarqueeText) * kPixelsPerCharacter;
    Marquee.MarqueeX -= kScrollStep;
    if (Marquee.MarqueeX < -Marquee.MarqueeWidth) Marquee.MarqueeX = Marquee.WrapPosition;
}

}  // namespace visual
