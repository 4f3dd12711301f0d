#pragma once

namespace platform::qt {

// Lets Qt repaint and run timers while the program waits; user input stays queued, in order,
// for the event loop to take afterwards.
void KeepWindowsPainted();

}  // namespace platform::qt
