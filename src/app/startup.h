#pragma once

namespace app {

// Runs the start-up sequence up to the event loop. Ends the program itself when the skin folder
// or the drawing layer is missing.
void StartUp();
// Start-up, then the event loop; never returns.
[[noreturn]] void Run();

}  // namespace app
