# Finds the package an optional part needs. The part's switch is ON (the package is required),
# AUTO (the part is built where the package is installed, and a line says when it is not) or OFF.
# Sets <package>_FOUND, as find_package does, in the caller's scope.
macro(lanhe_find_for_part switch package)
    if(${switch} STREQUAL "AUTO")
        find_package(${package} QUIET)
        if(NOT ${package}_FOUND)
            message(STATUS "${package} is not installed: ${switch}=AUTO leaves its part out "
                           "(scripts/packages.txt lists what every part needs)")
        endif()
    else()
        find_package(${package} REQUIRED)
    endif()
endmacro()
