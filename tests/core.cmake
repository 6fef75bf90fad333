# The switching heart, and the platform conformance tests that run against
# both backends.
set(_here ${CMAKE_CURRENT_LIST_DIR})
if(NOT CMAKE_CROSSCOMPILING)
    velmora_add_gtest(core_tests
        SOURCES ${_here}/core/controls_test.cpp ${_here}/core/scheduler_test.cpp
                ${_here}/core/appearance_test.cpp ${_here}/core/paths_test.cpp
        LIBS velmora_core)
    velmora_add_gtest(conformance_tests SOURCES ${_here}/conformance/platform_test.cpp LIBS velmora_platform)
endif()
list(APPEND VELMORA_WINE_TEST_SOURCES ${_here}/conformance/platform_test.cpp ${_here}/conformance/late_bound_windows_test.cpp
     ${_here}/core/scheduler_windows_test.cpp)
list(APPEND VELMORA_WINE_TEST_LIBS velmora_core)
