add_executable(bench_switch_tick ${CMAKE_CURRENT_LIST_DIR}/switch_tick_bench.cpp)
target_link_libraries(bench_switch_tick PRIVATE velmora_core benchmark::benchmark benchmark::benchmark_main)
