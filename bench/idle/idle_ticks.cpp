// Ten minutes of Velmora's idle work on the stand-in, in the order the two
// timers run it: a switchTick every second and a sunTick every tenth, with
// the settings that let every tick through. No timing of its own: run it
// under `valgrind --tool=callgrind` to see what each tick pays for.
#include "core/Scheduler.h"
#include "core/State.h"
#include "platform/standin/StandIn.h"
#include "sun/Sun.h"

int main() {
    using namespace velmora;
    resetProgramState();
    standin::reset();
    createMonthTables();
    programPaths() = {"/nonexistent", "Velmora.exe"};
    MainControls& c = controls();
    c.editLongitude.setText("116.4");
    c.editLatitude.setText("39.9");
    c.checkFollowSun.setChecked(1);
    c.comboLightHour.selectListItem(7);
    c.comboLightMinute.selectListItem(0);
    c.comboDarkHour.selectListItem(19);
    c.comboDarkMinute.selectListItem(0);
    c.comboChangeMode.selectListItem(ThemeOnly);
    platform::LocalTime& now = standin::state().now;
    now = {2024, 3, 3, 12, 0, 0};
    sunTick();
    for (int second = 1; second <= 600; ++second) {
        now.minute = second / 60;
        now.second = second % 60;
        if (second % 10 == 0) sunTick();
        switchTick();
    }
    releaseMonthTables();
    return switchState().lightApplied == 1 ? 0 : 1;
}
