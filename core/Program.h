#pragma once
// Program start and shutdown: prepares the process, loads the main window
// with its timers, runs the message loop and cleans up after it.

namespace velmora {

// The program entry: returns when the main window has been destroyed and
// the exit clean-up has run.
int runProgram();

// Releases what start-up created (the month tables). Runs once.
void exitCleanup();

}  // namespace velmora
