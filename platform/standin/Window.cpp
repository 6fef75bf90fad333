#include "platform/Window.h"

#include "platform/standin/StandIn.h"
#include "platform/standin/StandInWindow.h"

namespace velmora::standin {

MainWindow& mainWindow() {
    static MainWindow w;
    return w;
}

}  // namespace velmora::standin

namespace velmora::platform {

using standin::mainWindow;

int runMainWindow(const WindowEvents& events) {
    auto& w = mainWindow();
    w.exists = true;
    ++w.created;
    w.events = events;
    standin::state().calls.push_back("CreateWindowExA(Velmora)");
    if (w.events.created) w.events.created();
    if (w.messageLoop) w.messageLoop();
    if (w.exists) destroyMainWindow();
    standin::state().calls.push_back("message loop ended");
    return 0;
}

void destroyMainWindow() {
    auto& w = mainWindow();
    if (!w.exists) return;
    w.exists = false;
    // The notification-area icon goes with the window.
    if (standin::desktop().trayIcons > 0) {
        standin::desktop().trayIcons = 0;
        standin::state().calls.push_back("Shell_NotifyIconA(NIM_DELETE)");
    }
    standin::state().calls.push_back("DestroyWindow(Velmora)");
}

}  // namespace velmora::platform
