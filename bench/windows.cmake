# Timing programs of the Windows build (run under Wine by hand).
add_executable(velmora-converter-bench ${CMAKE_CURRENT_LIST_DIR}/converter_bench_win.cpp)
target_link_libraries(velmora-converter-bench PRIVATE velmora_converter psapi)
