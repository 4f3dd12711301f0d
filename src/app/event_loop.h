#pragma once

#include "platform/gui.h"

namespace app {

// The longest wait for an event in one pass.
constexpr int kPassWaitMs = 2;

// One pass: wait for at most one event, dispatch it, then run the per-pass tail.
void RunPass();
// Passes forever; the program ends only through ExitProgram.
[[noreturn]] void RunEventLoop();

// Hands an event to the rules of the window it belongs to; other windows' events are dropped.
void DispatchEvent(const platform::Event& event);
// Runs on every pass, after the event: playback, marquee, present.
void RunPerPassTail();

}  // namespace app
