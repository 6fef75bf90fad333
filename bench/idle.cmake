# Ten minutes of idle ticks on the stand-in, for callgrind (no timing).
add_executable(velmora-idle-ticks ${CMAKE_CURRENT_LIST_DIR}/idle/idle_ticks.cpp)
target_link_libraries(velmora-idle-ticks PRIVATE velmora_core velmora_sun)
