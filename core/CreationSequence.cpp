#include "core/CreationSequence.h"

#include "core/Scheduler.h"
#include "core/State.h"
#include "platform/Files.h"
#include "settings/AutoStart.h"
#include "settings/SettingsFile.h"
#include "sun/Sun.h"
#include "ui/Behaviour.h"

namespace velmora {

void runCreationSequence() {
    controls().labelConverterFolder.setText(programPaths().directory);
    // Without a settings file the window keeps its initial state.
    if (!platform::pathExists(programPaths().besideExecutable("Auto.ini"))) return;

    loadSettings();
    applyTimeListLock();
    applyWallpaperPickers();
    sunTick();
    // Without the guards of the tick: the moments, the clock and its display
    // are shown at once from whatever the steps above left.
    computeSwitchTimes();
    readClock();
    syncAutoStart();
    showClock();
    primeTransition();
}

}  // namespace velmora
