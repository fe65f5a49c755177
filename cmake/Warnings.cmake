# Warnings are errors for every target of the project. The sources are UTF-8 (the captions and
# messages are Chinese), which MSVC must be told; GCC and clang assume it.
function(lanhe_enable_warnings target)
    if(MSVC)
        # Not yet built with MSVC here: its warnings are shown but do not stop the build.
        target_compile_options(${target} PRIVATE /W4 /utf-8 /permissive-)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
    endif()
endfunction()
