add_executable(bench_sun_tick ${CMAKE_CURRENT_LIST_DIR}/sun_tick_bench.cpp)
target_link_libraries(bench_sun_tick PRIVATE velmora_sun benchmark::benchmark benchmark::benchmark_main)
