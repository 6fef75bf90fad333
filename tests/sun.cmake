# The sun-time calculator. The shared table also runs in the Windows test
# program, so that both builds are held to the same minutes.
set(_here ${CMAKE_CURRENT_LIST_DIR})
if(NOT CMAKE_CROSSCOMPILING)
    velmora_add_gtest(sun_tests
        SOURCES ${_here}/sun/sun_test.cpp ${_here}/sun/sunmath_test.cpp ${_here}/sun/shared_cases_test.cpp
        LIBS velmora_sun)
endif()
list(APPEND VELMORA_WINE_TEST_SOURCES ${_here}/sun/shared_cases_test.cpp)
list(APPEND VELMORA_WINE_TEST_LIBS velmora_sun)
