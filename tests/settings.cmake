# The settings file, the Run value and the creation sequence. The profile
# conformance table, the integer reading and the Run value also run under
# Wine against the Windows functions.
set(_here ${CMAKE_CURRENT_LIST_DIR})
set(_settings_both ${_here}/settings/profile_conformance_test.cpp ${_here}/settings/text_to_integer_test.cpp
                   ${_here}/settings/run_value_test.cpp)
if(NOT CMAKE_CROSSCOMPILING)
    velmora_add_gtest(settings_tests
        SOURCES ${_settings_both} ${_here}/settings/settings_file_test.cpp ${_here}/settings/auto_start_test.cpp
        LIBS velmora_settings)
    velmora_add_gtest(creation_tests SOURCES ${_here}/settings/creation_sequence_test.cpp LIBS velmora_startup)
endif()
list(APPEND VELMORA_WINE_TEST_SOURCES ${_settings_both})
list(APPEND VELMORA_WINE_TEST_LIBS velmora_settings)
