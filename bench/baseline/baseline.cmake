# velmora-baseline.exe: the do-nothing floor that scripts/bench-idle.sh
# measures Velmora.exe against. Windows build only; it takes Velmora.exe's
# manifest, so it needs the product's resources.
if(DEFINED VELMORA_MANIFEST)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/Baseline.rc.in ${CMAKE_CURRENT_BINARY_DIR}/Baseline.rc @ONLY)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/Baseline.rc PROPERTIES OBJECT_DEPENDS ${VELMORA_MANIFEST})
    add_executable(velmora-baseline WIN32 ${CMAKE_CURRENT_LIST_DIR}/Baseline.cpp ${CMAKE_CURRENT_BINARY_DIR}/Baseline.rc)
    target_link_libraries(velmora-baseline PRIVATE ole32 comctl32)
    set_target_properties(velmora-baseline PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endif()
