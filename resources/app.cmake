# The product: Velmora.exe (32-bit Windows GUI program, static) with its icon,
# manifest and version information, and the two default wallpapers beside it.
# The icon and the wallpapers are drawn at build time by the Python scripts here.
if(NOT VELMORA_BACKEND STREQUAL "win32")
    return()
endif()
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(_res ${CMAKE_CURRENT_LIST_DIR})
set(_out ${CMAKE_BINARY_DIR}/app)
file(MAKE_DIRECTORY ${_out})
set(VELMORA_ICON ${_out}/Velmora.ico)
set(VELMORA_MANIFEST ${_res}/Velmora.manifest)
add_custom_command(OUTPUT ${VELMORA_ICON}
    COMMAND Python3::Interpreter ${_res}/make_icon.py ${VELMORA_ICON}
    DEPENDS ${_res}/make_icon.py
    COMMENT "Drawing the program's icon")
configure_file(${_res}/Velmora.rc.in ${_out}/Velmora.rc @ONLY)
set_source_files_properties(${_out}/Velmora.rc PROPERTIES OBJECT_DEPENDS "${VELMORA_ICON};${VELMORA_MANIFEST}")

add_executable(Velmora WIN32 ${PROJECT_SOURCE_DIR}/platform/win32/WinMain.cpp ${_out}/Velmora.rc)
set_target_properties(Velmora PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
target_link_libraries(Velmora PRIVATE velmora_program)
foreach(lib velmora_converter velmora_settings velmora_startup velmora_sun velmora_ui)
    if(TARGET ${lib})
        target_link_libraries(Velmora PRIVATE ${lib})
    endif()
endforeach()

# The default wallpapers, written beside the executable.
set(_wallpapers ${CMAKE_BINARY_DIR}/bin/默认白壁纸.bmp ${CMAKE_BINARY_DIR}/bin/默认黑壁纸.bmp)
add_custom_command(OUTPUT ${_wallpapers}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
    COMMAND Python3::Interpreter ${_res}/make_wallpapers.py ${CMAKE_BINARY_DIR}/bin
    DEPENDS ${_res}/make_wallpapers.py
    COMMENT "Writing the default wallpapers")
add_custom_target(velmora_wallpapers ALL DEPENDS ${_wallpapers})
add_dependencies(Velmora velmora_wallpapers)
