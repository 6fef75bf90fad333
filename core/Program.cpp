#include "core/Program.h"

#include "converter/Converter.h"
#include "core/CreationSequence.h"
#include "core/Scheduler.h"
#include "core/State.h"
#include "platform/Process.h"
#include "platform/Window.h"
#include "settings/AutoStart.h"
#include "settings/SettingsFile.h"
#include "sun/Sun.h"
#include "ui/Behaviour.h"

namespace velmora {
namespace {

bool& cleanupPending() {
    static bool pending = false;
    return pending;
}

}  // namespace

void exitCleanup() {
    if (!cleanupPending()) return;
    cleanupPending() = false;
    releaseMonthTables();
}

int runProgram() {
    // The process: OLE for the GUI thread, where the program lives, and that
    // directory made current, all before the window loads.
    platform::initializeOle();
    programPaths() = splitExecutablePath(platform::executablePath());
    platform::setCurrentDirectory(programPaths().directory);

    createMonthTables();
    cleanupPending() = true;

    bindControlHandlers();
    MainControls& c = controls();
    c.checkAutoStart.clicked = applyAutoStartChoice;
    c.buttonSave.clicked = saveSettings;
    c.buttonPickPicture.clicked = buttonPickPictureClicked;
    c.buttonPickFolder.clicked = buttonPickFolderClicked;
    c.buttonConvert.clicked = buttonConvertClicked;
    // The title bar has no close box: this button is the way out.
    c.buttonExit.clicked = platform::destroyMainWindow;

    platform::WindowEvents events;
    events.created = runCreationSequence;
    events.sunTimerTick = sunTick;
    events.switchTimerTick = switchTick;
    events.trayEvent = restoreFromTray;
    events.taskbarCreated = trayRecreated;
    const int code = platform::runMainWindow(events);

    // Called here rather than registered with atexit, so that it runs before
    // the process' static objects go away and exactly once.
    exitCleanup();
    return code;
}

}  // namespace velmora
