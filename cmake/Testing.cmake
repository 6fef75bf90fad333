# Test set-up shared by every folder: GoogleTest from the sources Debian
# installs, built once per build tree, and one function that registers a test
# program the right way for the build at hand.
include(CTest)

if(BUILD_TESTING)
    if(EXISTS /usr/src/googletest/CMakeLists.txt)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
        # GoogleTest's own sources do not build cleanly with our warnings.
        foreach(t gtest gtest_main)
            target_compile_options(${t} PRIVATE -w)
        endforeach()
    else()
        message(FATAL_ERROR "GoogleTest sources not found: install Debian's googletest package")
    endif()
    include(GoogleTest)
endif()

if(CMAKE_CROSSCOMPILING)
    # One Wine prefix and one virtual display for the whole test run, made by
    # the first test that needs them and taken down after the last.
    add_test(NAME wine.start COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --prepare)
    set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 1800)
    add_test(NAME wine.stop COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-stop.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# velmora_add_gtest(<target> <sources...> LIBS <libs...>)
function(velmora_add_gtest target)
    cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
    if(CMAKE_CROSSCOMPILING)
        # Our own entry point: see tests/support/wine_main.cpp. Discovery
        # would start Wine at build time; one test per program keeps the
        # Wine runs few and lets them share the prefix fixture.
        add_executable(${target} ${arg_SOURCES} ${CMAKE_SOURCE_DIR}/tests/support/wine_main.cpp)
        target_link_libraries(${target} PRIVATE ${arg_LIBS} gtest)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 1500)
    else()
        add_executable(${target} ${arg_SOURCES})
        target_link_libraries(${target} PRIVATE ${arg_LIBS} gtest gtest_main)
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
