# Program start and shutdown, and the window's layout table.
set(_here ${CMAKE_CURRENT_LIST_DIR})
if(NOT CMAKE_CROSSCOMPILING AND TARGET velmora_program)
    velmora_add_gtest(program_tests
        SOURCES ${_here}/program/program_test.cpp ${_here}/program/layout_test.cpp
        LIBS velmora_program velmora_layout)
endif()
