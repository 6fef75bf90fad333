// What the program pays every second: one switchTick on the stand-in.
#include <benchmark/benchmark.h>

#include "bench/TickSettings.h"
#include "core/Scheduler.h"
#include "core/State.h"
#include "platform/standin/StandIn.h"

namespace velmora {
namespace {

void configure() { bench::openEveryGuard(bench::Moments::CustomTime); }

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
