# The picture converter: its logic against the stand-in's stb-based GDI+
# natively, and against the real GDI+ under Wine.
set(_here ${CMAKE_CURRENT_LIST_DIR})
if(NOT CMAKE_CROSSCOMPILING)
    velmora_add_gtest(converter_tests SOURCES ${_here}/converter/converter_test.cpp
        ${_here}/converter/standin_decoder_test.cpp LIBS velmora_converter)
else()
    # Test pictures are made with stb_image; its headers live beside the
    # host's, reached through a folder holding just them.
    set(_stb ${CMAKE_BINARY_DIR}/stb-include)
    file(MAKE_DIRECTORY ${_stb})
    file(CREATE_LINK /usr/include/stb ${_stb}/stb SYMBOLIC)
    add_library(velmora_test_stb STATIC ${_here}/converter/StbForTests.cpp)
    target_compile_options(velmora_test_stb PRIVATE -w)
    target_include_directories(velmora_test_stb SYSTEM PUBLIC ${_stb})
    list(APPEND VELMORA_WINE_TEST_SOURCES ${_here}/converter/converter_gdiplus_test.cpp)
    list(APPEND VELMORA_WINE_TEST_LIBS velmora_converter velmora_test_stb)
endif()
