# Warnings for our own targets; sanitizers for everything built here.
add_library(orv_warnings INTERFACE)
target_compile_options(orv_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
if(ORV_WERROR)
    target_compile_options(orv_warnings INTERFACE -Werror)
endif()

if(ORV_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing: clang's libFuzzer with both sanitizers. Everything is instrumented for coverage; only the
# fuzz targets link libFuzzer's main (orv_fuzz_target).
if(ORV_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "ORV_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Declares an executable that belongs in the program folder, beside Sintegra.mod.
function(orv_program_executable target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORV_PROGRAM_DIR})
    install(TARGETS ${target} RUNTIME DESTINATION bin)
endfunction()
