// What the program pays every second: one switchTick on the stand-in.
#include <benchmark/benchmark.h>

#include "core/Scheduler.h"
#include "core/State.h"
#include "platform/standin/StandIn.h"

namespace velmora {
namespace {

void configure() {
    resetProgramState();
    standin::reset();
    programPaths() = {"/nonexistent", "Velmora.exe"};
    MainControls& c = controls();
    c.editLongitude.setText("116.4");
    c.editLatitude.setText("39.9");
    c.checkCustomTime.setChecked(1);
    c.comboLightHour.selectListItem(7);
    c.comboLightMinute.selectListItem(0);
    c.comboDarkHour.selectListItem(19);
    c.comboDarkMinute.selectListItem(0);
    c.comboChangeMode.selectListItem(ThemeOnly);
    standin::state().now = {2024, 3, 3, 12, 0, 0};
}

void BM_SwitchTickSteady(benchmark::State& s) {
    configure();
    switchTick();
    for (auto _ : s) switchTick();
}
BENCHMARK(BM_SwitchTickSteady);

// Every tick a transition: the flag is flipped back before each tick, so
// each one writes both light-mode values.
void BM_SwitchTickTransition(benchmark::State& s) {
    configure();
    for (auto _ : s) {
        switchState().lightApplied = 0;
        switchTick();
        standin::state().calls.clear();
    }
}
BENCHMARK(BM_SwitchTickTransition);

}  // namespace
}  // namespace velmora
