#pragma once

namespace app {

// Every way out of the program ends here: releases what the program holds and ends the process
// with exit code 0. Never returns.
[[noreturn]] void ExitProgram();

// The close request of the main window: saves the settings, pauses, closes, exits.
[[noreturn]] void OrderlyExit();

}  // namespace app
