#pragma once
// What runs once when the main window and all its controls exist: the saved
// settings come back into the window, the locks, pickers, sun times and
// clock follow them, the Run value is brought in line with the auto-start
// box, and the first tick is primed to apply the look of the current period.

namespace velmora {

void runCreationSequence();

}  // namespace velmora
