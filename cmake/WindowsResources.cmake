# The resources that Windows reads in a program: its manifest, its version and, for the window, its
# icon, made by icotool from the window's PNG. Compiled by windres as CMake's RC language.
enable_language(RC)
find_program(ORV_ICOTOOL icotool REQUIRED)

set(ORV_ICON_FILE ${PROJECT_BINARY_DIR}/packaging/sintegra-orv.ico)
add_custom_command(OUTPUT ${ORV_ICON_FILE}
    COMMAND ${ORV_ICOTOOL} -c -o ${ORV_ICON_FILE} ${PROJECT_SOURCE_DIR}/src/app/qt/icons/sintegra-orv.png
    DEPENDS ${PROJECT_SOURCE_DIR}/src/app/qt/icons/sintegra-orv.png
    COMMENT "Icon of the window")
add_custom_target(orv_icon DEPENDS ${ORV_ICON_FILE})

# orv_windows_resources(TARGET DESCRIPTION [ICON]): NAME.exe gets its resources.
function(orv_windows_resources target description)
    set(ORV_RC_NAME ${target})
    set(ORV_RC_DESCRIPTION ${description})
    set(ORV_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
    set(ORV_RC_ICON "")
    set(depends ${ORV_RC_MANIFEST})
    if("ICON" IN_LIST ARGN)
        set(ORV_RC_ICON "1 ICON \"${ORV_ICON_FILE}\"")
        list(APPEND depends ${ORV_ICON_FILE})
        add_dependencies(${target} orv_icon)
    endif()
    set(dir ${PROJECT_SOURCE_DIR}/packaging/windows)
    configure_file(${dir}/program.manifest.in ${ORV_RC_MANIFEST} @ONLY)
    configure_file(${dir}/program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()
