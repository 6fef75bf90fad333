#pragma once
// The main window: built from the layout table with every control, its two
// timers, and its notification-area callback. The window mirrors the control
// models of MainControls (core/State.h): a program write reaches the window
// through the model's view hook, a user action reaches the model through its
// user* functions.
#include <functional>

namespace velmora::platform {

struct WindowEvents {
    // Once, when the window and all its controls exist, before any tick.
    std::function<void()> created;
    std::function<void()> sunTimerTick;     // every 10 000 ms
    std::function<void()> switchTimerTick;  // every 1 000 ms
    // A mouse message on the notification-area icon, as a TrayEventCode
    // (1 left up, 2 left double-click, 3 right up or context menu).
    std::function<void(int trayCode)> trayEvent;
    // Explorer restarted and the notification area is new.
    std::function<void()> taskbarCreated;
};

// Creates the main window and runs the message loop until it is destroyed.
// Returns the loop's exit code.
int runMainWindow(const WindowEvents& events);

// Destroys the main window (with its controls, timers and tray icon).
void destroyMainWindow();

}  // namespace velmora::platform
