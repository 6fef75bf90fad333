// What the program pays every ten seconds: one sunTick on the stand-in.
#include <benchmark/benchmark.h>

#include "core/State.h"
#include "platform/standin/StandIn.h"
#include "sun/Sun.h"

namespace velmora {
namespace {

void configure(const char* longitude, const char* latitude, platform::LocalTime now) {
    resetProgramState();
    standin::reset();
    createMonthTables();
    controls().editLongitude.setText(longitude);
    controls().editLatitude.setText(latitude);
    standin::state().now = now;
}

void run(benchmark::State& s) {
    for (auto _ : s) sunTick();
    s.counters["passes"] = sunCalculator().passes;
}

// Beijing in summer: two passes.
void BM_SunTickTypical(benchmark::State& s) {
    configure("116.4", "39.9", {2020, 6, 30, 12, 0, 0});
    run(s);
}
BENCHMARK(BM_SunTickTypical);

// Far north at the end of polar night: six passes, the most found over a
// year of dates and latitudes 60 to 80.
void BM_SunTickNearPolar(benchmark::State& s) {
    configure("25.47", "71.5", {2023, 1, 22, 12, 0, 0});
    run(s);
}
BENCHMARK(BM_SunTickNearPolar);

// A guess that never settles: the run ends at the pass limit.
void BM_SunTickPassLimit(benchmark::State& s) {
    configure("-120.0", "75.0", {2020, 4, 25, 12, 0, 0});
    run(s);
}
BENCHMARK(BM_SunTickPassLimit);

}  // namespace
}  // namespace velmora
