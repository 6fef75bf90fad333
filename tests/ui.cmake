set(_here ${CMAKE_CURRENT_LIST_DIR})
if(NOT CMAKE_CROSSCOMPILING AND TARGET velmora_ui)
    velmora_add_gtest(ui_tests SOURCES ${_here}/ui/behaviour_test.cpp LIBS velmora_ui)
endif()
