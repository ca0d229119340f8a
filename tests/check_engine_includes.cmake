# Fails when the engine (src/errors, src/layout, src/files, src/run, src/staging, src/verify, src/words)
# or the window's logic (src/app, outside its views' folders) includes a Qt header, or when a part of
# them other than src/files includes a header of the operating system.
file(GLOB_RECURSE engine_files ${SOURCE_DIR}/errors/* ${SOURCE_DIR}/layout/* ${SOURCE_DIR}/files/* ${SOURCE_DIR}/run/*
     ${SOURCE_DIR}/staging/* ${SOURCE_DIR}/verify/* ${SOURCE_DIR}/words/*)
file(GLOB logic_files ${SOURCE_DIR}/app/*.hpp ${SOURCE_DIR}/app/*.cpp)
set(offenders "")
foreach(file IN LISTS engine_files logic_files)
    file(STRINGS ${file} qt REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
    set(system "")
    if(NOT file MATCHES "/src/files/")
        file(STRINGS ${file} system
             REGEX "^[ \t]*#[ \t]*include[ \t]*<(sys/|unistd|fcntl|pwd|spawn|windows|shlobj|io\\.h|direct\\.h)")
    endif()
    if(qt OR system)
        list(APPEND offenders ${file})
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "The engine or the window's logic includes Qt or system headers: ${offenders}")
endif()
