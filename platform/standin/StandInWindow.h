#pragma once
// The stand-in main window: no window at all, but the events it was given,
// so that a test can tick its timers and click its tray icon, and a record
// of whether it exists.
#include <functional>

#include "platform/Window.h"

namespace velmora::standin {

struct MainWindow {
    bool exists = false;
    int created = 0;  // how many windows were made
    platform::WindowEvents events;
    // Runs as the "message loop" after the created event; when it returns
    // without destroying the window, the window is destroyed as by "退出".
    std::function<void()> messageLoop;
};
MainWindow& mainWindow();

}  // namespace velmora::standin
