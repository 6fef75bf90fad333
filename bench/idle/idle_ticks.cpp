// Ten minutes of Velmora's idle work on the stand-in, in the order the two
// timers run it: a switchTick every second and a sunTick every tenth, with
// the settings that let every tick through. No timing of its own: run it
// under `valgrind --tool=callgrind` to see what each tick pays for.
#include "bench/TickSettings.h"
#include "core/Scheduler.h"
#include "sun/Sun.h"

int main() {
    using namespace velmora;
    bench::openEveryGuard(bench::Moments::FollowSun);
    createMonthTables();
    platform::LocalTime& now = standin::state().now;
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
