# End to end: a Win32 driver starts the real Velmora.exe under Wine, checks
# its window as a user would, works its controls, takes a picture of each
# page (into <build>/e2e-screenshots) and ends it with "退出"; then starts it
# again with a prepared Auto.ini: settings, saving, registry and converter.
if(CMAKE_CROSSCOMPILING AND TARGET Velmora)
    add_executable(velmora_e2e ${CMAKE_CURRENT_LIST_DIR}/e2e/driver.cpp)
    target_link_libraries(velmora_e2e PRIVATE user32 gdi32 comctl32 advapi32)
    # GCC 12 reports a false -Wrestrict inside std::string concatenation.
    target_compile_options(velmora_e2e PRIVATE -Wno-restrict)
    add_dependencies(velmora_e2e Velmora)
    add_test(NAME velmora_e2e
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/e2e/run.sh ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}
                $<TARGET_FILE:velmora_e2e> $<TARGET_FILE_DIR:Velmora> ${CMAKE_BINARY_DIR}/e2e-screenshots)
    set_tests_properties(velmora_e2e PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 900)
endif()
