# Fails when a file of the engine (src/layout, src/run, src/staging) or of the window's logic (src/app, outside
# its views' folders) includes a Qt or Windows header.
file(GLOB_RECURSE engine_files ${SOURCE_DIR}/layout/* ${SOURCE_DIR}/run/* ${SOURCE_DIR}/staging/*)
file(GLOB logic_files ${SOURCE_DIR}/app/*.hpp ${SOURCE_DIR}/app/*.cpp)
set(offenders "")
foreach(file IN LISTS engine_files logic_files)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*<(Q|windows\\.h)")
    if(includes)
        list(APPEND offenders ${file})
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "Toolkit headers outside the views: ${offenders}")
endif()
