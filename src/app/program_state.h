#pragma once

namespace app {

// Puts every piece of the program's state back to zero: numbers 0, texts empty, lists empty.
void ResetProgramState();

}  // namespace app
